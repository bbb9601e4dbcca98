// The one-file page (dist/fermat-lens.html) carries inside itself what the
// served page fetches beside it: the lab's WebAssembly and the translations'
// catalogues, each gzip-compressed and written in base64 in an inert
// <script> block (a type no browser runs). Opened from a disk (file://) a
// page may fetch nothing, so these are read from the document instead.

/** The inline block of the module's bytes, or null on the served page. */
function wasmBlock(): HTMLElement | null {
  return document.getElementById('fermat-wasm');
}

/** Whether this is the one-file page (its module inside, nothing beside it to fetch). */
export function isOneFile(): boolean {
  return wasmBlock() !== null;
}

/** The bytes a block holds: base64 of gzip, inflated by the browser's own DecompressionStream. */
async function inflate(block: HTMLElement): Promise<Uint8Array> {
  const text = (block.textContent ?? '').replace(/\s+/g, '');
  const binary = atob(text);
  const packed = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) packed[i] = binary.charCodeAt(i);
  if (typeof DecompressionStream !== 'function') {
    throw new Error('this browser cannot unpack the page (no DecompressionStream): take the served page or a newer browser');
  }
  const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

/** The module's bytes on the one-file page; null on the served page. */
export async function inlineWasm(): Promise<Uint8Array | null> {
  const block = wasmBlock();
  return block ? inflate(block) : null;
}

/** A translation's catalogue (JSON text) on the one-file page; null when the page does not carry it. */
export async function inlineCatalogue(code: string): Promise<string | null> {
  const block = Array.from(document.querySelectorAll<HTMLElement>('script[data-catalogue]')).find(
    (b) => b.dataset.catalogue === code,
  );
  return block ? new TextDecoder().decode(await inflate(block)) : null;
}
