// The last plugs, unplugs and button presses, newest first.

import { element } from './dom.js';

const KEPT = 20;

export class EventStrip {
  constructor(list) {
    this.list = list;
  }

  add(kind, text) {
    const time = new Date().toLocaleTimeString([], { hour12: false });
    this.list.prepend(
      element('li', { class: `event ${kind}`, 'data-kind': kind }, [
        element('time', { text: time }),
        element('span', { text: ` ${text}` }),
      ]),
    );
    while (this.list.children.length > KEPT) this.list.lastElementChild.remove();
  }
}
