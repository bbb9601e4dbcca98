// Keys as the desktop's toolkit spells them: modifiers in its order
// (Meta, Ctrl, Alt, Shift), then the key ("Space", "Left", "3").

const NAMED: Record<string, string> = {
  ' ': 'Space',
  Spacebar: 'Space',
  ArrowLeft: 'Left',
  ArrowRight: 'Right',
  ArrowUp: 'Up',
  ArrowDown: 'Down',
  Left: 'Left',
  Right: 'Right',
  Up: 'Up',
  Down: 'Down',
  // A focused scroll bar's keys besides the arrows.
  PageUp: 'PgUp',
  PageDown: 'PgDown',
  Home: 'Home',
  End: 'End',
};

/** The lab's spelling of a key press it may use (Space, arrows, a bar's page keys, digits, M, L, [ and ]), or null for any other key. */
export function spellKey(e: Pick<KeyboardEvent, 'key' | 'code' | 'ctrlKey' | 'altKey' | 'shiftKey' | 'metaKey'>): string | null {
  let name: string | null = NAMED[e.key] ?? null;
  if (name === null && e.code === 'Space') name = 'Space';
  if (name === null) {
    const digit = /^(?:Digit|Numpad)([0-9])$/.exec(e.code);
    if (digit && e.ctrlKey) name = digit[1];
  }
  // M makes the other marker the active one (by its place on the keyboard, whatever the layout's letter).
  if (name === null && e.code === 'KeyM') name = 'M';
  // L puts the entry point on the least-time point; [ and ] step it along the face (by their places too).
  if (name === null && e.code === 'KeyL') name = 'L';
  if (name === null && e.code === 'BracketLeft') name = '[';
  if (name === null && e.code === 'BracketRight') name = ']';
  if (name === null) return null;
  let mods = '';
  if (e.metaKey) mods += 'Meta+';
  if (e.ctrlKey) mods += 'Ctrl+';
  if (e.altKey) mods += 'Alt+';
  if (e.shiftKey) mods += 'Shift+';
  return mods + name;
}
