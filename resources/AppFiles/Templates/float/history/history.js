// Browser history is kept by the book player itself; this folder is the place
// for a template's own additions to it.
