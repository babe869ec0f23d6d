// The page's own work, never long enough at a stretch to freeze it.

export const kSliceMs = 8;  // work per turn before the page gets to draw again

// Calls work(item) for each item, a slice at a time, waiting for turn()
// between slices; false when stopped() says so before the end.
export async function inSlices(items, work, turn, stopped = () => false) {
  for (let i = 0; i < items.length; await turn()) {
    if (stopped()) return false;
    for (const until = performance.now() + kSliceMs; i < items.length && performance.now() < until;) work(items[i++]);
  }
  return !stopped();
}

// Batches of files are loaded in the order they were picked or dropped,
// whatever order their folders are walked to the end in: each batch is
// found at once and waits only to be loaded.
//   const enqueue = makeQueue(onError);
//   enqueue(found, load): found is a promise of the batch, load(batch) loads it.
// A batch that fails to be found or loaded goes to onError; the ones after
// it still load.
export function makeQueue(onError) {
  let last = Promise.resolve();
  return (found, load) => {
    found.catch(() => {});  // handled in its turn below, not as an unhandled rejection meanwhile
    last = last.then(() => found).then(load).catch(onError);
    return last;
  };
}
