// Stand-in used when the build has no vector page renderer: vector pages then
// show their thumbnail instead of nothing.
export const available = false;
export async function renderVectorPage() {
  throw new Error('vector pages are not supported by this build');
}
