// The Lessons menu: each lesson a prepared set-up with one sentence of what
// to do, shown in a small banner until it is closed.

import type { LessonInfo } from './lab';
import { onAction, showStatus } from './menus';
import type { Page } from './page';
import { onLanguageChange } from './words';

export class Lessons {
  private lessons: LessonInfo[];
  private readonly banner: HTMLElement;
  /** The lesson whose task the banner shows. */
  private shown = '';

  constructor(private readonly page: Page) {
    this.lessons = JSON.parse(page.lab.lessons()) as LessonInfo[];
    this.banner = document.getElementById('lesson-banner')!;
    const list = document.getElementById('lesson-list')!;
    for (const l of this.lessons) {
      const b = document.createElement('button');
      b.type = 'button';
      b.dataset.action = `lesson-${l.key}`;
      b.dataset.lesson = l.key;
      b.textContent = l.title;
      list.appendChild(b);
      onAction(`lesson-${l.key}`, () => showStatus(this.open(l.key)));
    }
    const close = this.banner.querySelector('button.close') as HTMLButtonElement;
    close.addEventListener('click', () => {
      this.banner.hidden = true;
      close.blur();
    });
    // The titles and the task in the lab's words of another language.
    onLanguageChange(() => {
      this.lessons = JSON.parse(page.lab.lessons()) as LessonInfo[];
      for (const l of this.lessons) {
        const b = list.querySelector<HTMLElement>(`[data-lesson="${l.key}"]`);
        if (b) b.textContent = l.title;
      }
      this.showTask();
    });
  }

  private showTask(): void {
    const lesson = this.lessons.find((l) => l.key === this.shown);
    if (!lesson) return;
    document.getElementById('lesson-title')!.textContent = lesson.title;
    document.getElementById('lesson-task')!.textContent = lesson.task;
  }

  /** Starts the lesson and shows its task: "" when done, else the one-line reason. */
  open(key: string): string {
    const error = this.page.start('openLesson', key);
    if (error) return error;
    if (this.lessons.some((l) => l.key === key)) {
      this.shown = key;
      this.showTask();
      this.banner.hidden = false;
    }
    return '';
  }
}
