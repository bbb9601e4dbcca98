// The lab's message as a modal <dialog>: shown while the lab has one open,
// its OK (or Escape) the view's report that it was dismissed.

export class MessageBox {
  private readonly dialog: HTMLDialogElement;
  private readonly text: HTMLElement;
  private readonly ok: HTMLButtonElement;

  constructor(onDismiss: () => void) {
    this.dialog = document.getElementById('message') as HTMLDialogElement;
    this.text = this.dialog.querySelector('.text') as HTMLElement;
    this.ok = this.dialog.querySelector('button') as HTMLButtonElement;
    this.ok.addEventListener('click', () => onDismiss());
    this.dialog.addEventListener('cancel', (e) => {
      e.preventDefault();
      onDismiss();
    });
  }

  get open(): boolean {
    return this.dialog.open;
  }

  show(message: string): void {
    if (this.dialog.open) return;
    this.text.textContent = message;
    this.dialog.showModal();
    this.ok.focus();
  }

  /** The open message in the words of another language. */
  reword(message: string): void {
    this.text.textContent = message;
  }

  close(): void {
    this.dialog.close();
  }
}
