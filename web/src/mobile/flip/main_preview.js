// Settings of the phone player that publishing does not write; the book's own
// `bookConfig` follows this script and overrides any of them.
var bookConfigDefaults = {
  ShareButtonVisible: 'Show',
  ThumbnailsButtonVisible: 'Show',
  ZoomButtonVisible: 'Show',
  enableAutoPlay: 'No',
  autoPlayDuration: 3,
  autoPlayLoopCount: 0,
  RightToLeft: 'No',
  normalPath: '../files/mobile/',
  largePath: '../files/mobile/',
  thumbPath: '../files/mobile/'
};
