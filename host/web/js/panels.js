// One panel per device type: the devices in preferred order with their plug state, the
// "in use" badge, a volume slider (not for cameras), "use this", move buttons and, for
// ringers, a ringtone test.

import { element, keepingFocus } from './dom.js';
import { enableDragReorder } from './reorder.js';

const TITLES = { speaker: 'speakers', microphone: 'microphones', ringer: 'ringers', camera: 'cameras' };

// A device moved to an end loses the button that moved it: the focus goes to the other one.
const otherMoveButton = (key) => key.replace(/\|(up|down)$/, (match, way) => (way === 'up' ? '|down' : '|up'));

export class DevicePanel {
  // actions: prefer(type, ids), select(type, id), volume(type, id, value), test(id)
  constructor(root, type, actions) {
    this.root = root;
    this.type = type;
    this.actions = actions;
    this.list = root.querySelector('.devices');
    this.rows = new Map();
    this.order = [];
    enableDragReorder(this.list, () => this.order, (ids) => this.actions.prefer(this.type, ids));
  }

  render(devices) {
    keepingFocus(this.list, () => {
      this.order = devices.map((device) => device.selectionId);
      const seen = new Set();
      devices.forEach((device, index) => {
        seen.add(device.selectionId);
        let row = this.rows.get(device.selectionId);
        if (!row) {
          row = this.createRow(device.selectionId);
          this.rows.set(device.selectionId, row);
        }
        this.updateRow(row, device, index, devices.length);
        if (this.list.children[index] !== row.item) this.list.insertBefore(row.item, this.list.children[index] || null);
      });
      for (const [id, row] of this.rows)
        if (!seen.has(id)) {
          row.item.remove();
          this.rows.delete(id);
        }
      if (devices.length === 0) this.list.replaceChildren(element('li', { class: 'empty', text: `No ${TITLES[this.type]}` }));
      else this.list.querySelector('.empty')?.remove();
    }, otherMoveButton);
  }

  createRow(id) {
    const focus = (role) => `${this.type}|${id}|${role}`;
    const row = {
      position: element('span', { class: 'position', 'aria-hidden': 'true' }),
      name: element('span', { class: 'name' }),
      plug: element('span', { class: 'plug' }),
      badge: element('span', { class: 'badge', text: 'in use' }),
      use: element('button', { type: 'button', class: 'use', text: 'Use this', 'data-focus': focus('use') }),
      up: element('button', { type: 'button', class: 'move up', text: '↑', 'data-focus': focus('up') }),
      down: element('button', { type: 'button', class: 'move down', text: '↓', 'data-focus': focus('down') }),
    };
    row.use.addEventListener('click', () => this.actions.select(this.type, id));
    row.up.addEventListener('click', () => this.move(id, -1));
    row.down.addEventListener('click', () => this.move(id, +1));
    const controls = [row.use];
    if (this.type !== 'camera') {
      row.volume = element('input', { type: 'range', min: 0, max: 100, step: 1, class: 'volume', 'data-focus': focus('volume') });
      row.volumeValue = element('output', { class: 'volume-value' });
      row.volume.addEventListener('input', () => (row.volumeValue.textContent = row.volume.value));
      // A slider the user is moving, or whose values are still on their way, is not
      // overwritten by the echo of an older value: each key press sends one.
      row.inFlight = 0;
      row.volume.addEventListener('change', async () => {
        row.inFlight++;
        try {
          await this.actions.volume(this.type, id, Number(row.volume.value));
        } finally {
          row.inFlight--;
        }
        if (row.inFlight === 0 && row.device) this.updateRow(row, ...row.device);
      });
      row.volume.addEventListener('pointerdown', () => (row.holding = true));
      row.volume.addEventListener('pointerup', () => (row.holding = false));
      controls.unshift(element('label', { class: 'volume-label' }, [row.volume, row.volumeValue]));
    }
    if (this.type === 'ringer') {
      row.test = element('button', { type: 'button', class: 'test', text: 'Test', 'data-focus': focus('test') });
      row.test.addEventListener('click', () => this.actions.test(id));
      controls.push(row.test);
    }
    row.item = element('li', { class: 'device', draggable: true, 'data-id': id }, [
      element('span', { class: 'grip', 'aria-hidden': 'true', text: '⠿' }),
      row.position,
      element('span', { class: 'identity' }, [row.name, row.plug, row.badge]),
      element('span', { class: 'controls' }, [...controls, row.up, row.down]),
    ]);
    return row;
  }

  updateRow(row, device, index, count) {
    row.device = [device, index, count];
    const name = device.name || device.selectionId;
    row.item.classList.toggle('unplugged', !device.pluggedIn);
    row.item.classList.toggle('in-use', device.current);
    row.item.setAttribute('aria-label', `${index + 1}. ${name}`);
    row.position.textContent = `${index + 1}.`;
    row.name.textContent = name;
    row.name.title = device.selectionId;
    row.plug.textContent = device.pluggedIn ? 'plugged in' : 'unplugged';
    row.badge.hidden = !device.current;
    row.use.disabled = device.current || !device.pluggedIn;
    row.use.setAttribute('aria-label', `Use ${name}`);
    row.up.disabled = index === 0;
    row.down.disabled = index === count - 1;
    row.up.setAttribute('aria-label', `Move ${name} up`);
    row.down.setAttribute('aria-label', `Move ${name} down`);
    if (row.volume) {
      row.volume.setAttribute('aria-label', `Volume of ${name}`);
      if (!row.holding && !row.inFlight && String(device.volume) !== row.volume.value) row.volume.value = device.volume;
      row.volumeValue.textContent = row.volume.value;
    }
    if (row.test) {
      row.test.setAttribute('aria-label', `Test the ringtone on ${name}`);
      row.test.disabled = !device.pluggedIn;
    }
  }

  move(id, step) {
    const ids = this.order.slice();
    const from = ids.indexOf(id);
    const to = from + step;
    if (from < 0 || to < 0 || to >= ids.length) return;
    [ids[from], ids[to]] = [ids[to], ids[from]];
    this.actions.prefer(this.type, ids);
  }
}
