// Ringtone tests: the sound picker (names from the host's list, never paths), "Test" on one
// ringer, "Ring all" (which rings until stopped, as a call does), and the sessions with their
// end and a stop button.

import { element } from './dom.js';

const KEPT_ENDED_SESSIONS = 5;

export class Ringtones {
  constructor(request, deviceName) {
    this.request = request;
    this.deviceName = deviceName;
    this.picker = document.getElementById('ring-sound');
    this.list = document.getElementById('sessions');
    this.sessions = new Map();  // session id -> {item, ended}
    document.getElementById('ring-all').addEventListener('click', () => this.play({ all: true, loop: true }, 'all ringers'));
    document.getElementById('ring-stop-all').addEventListener('click', () => this.request('stop', { all: true }));
  }

  setSounds(sounds) {
    const chosen = this.picker.value;
    const names = sounds.map((sound) => (typeof sound === 'string' ? sound : sound.name)).filter(Boolean);
    this.picker.replaceChildren(...names.map((name) => element('option', { value: name, text: name })));
    if (names.includes(chosen)) this.picker.value = chosen;
  }

  test(deviceId) {
    return this.play({ device: deviceId }, this.deviceName(deviceId));
  }

  async play(target, where) {
    const sound = this.picker.value;
    if (!sound) return;
    const reply = await this.request('play', { sound, ...target });
    if (!reply.ok) {
      this.note(`Could not play ${sound}: ${reply.error}`);
      return;
    }
    const result = reply.result || {};
    const ids = result.sessions || (result.session !== undefined ? [result.session] : []);
    for (const id of ids) this.started(id, where, sound);
  }

  // From the reply or from an event, whichever comes first.
  started(id, where, sound) {
    if (this.sessions.has(id)) return;
    const stop = element('button', { type: 'button', class: 'stop', text: 'Stop', 'aria-label': `Stop session ${id}` });
    stop.addEventListener('click', () => this.request('stop', { session: id }));
    const state = element('span', { class: 'session-state', text: 'playing' });
    const item = element('li', { class: 'session playing', 'data-session': String(id) }, [
      element('span', { text: `Session ${id}: ${sound || 'ringtone'} on ${where || 'a ringer'} — ` }),
      state,
      stop,
    ]);
    this.list.prepend(item);
    this.sessions.set(id, { item, state, stop, ended: false });
  }

  finished(id) {
    const session = this.sessions.get(id);
    if (!session || session.ended) return;
    session.ended = true;
    session.item.classList.replace('playing', 'ended');
    session.state.textContent = 'ended';
    session.stop.remove();
    const ended = [...this.sessions].filter(([, entry]) => entry.ended);
    for (const [oldId, entry] of ended.slice(0, Math.max(0, ended.length - KEPT_ENDED_SESSIONS))) {
      entry.item.remove();
      this.sessions.delete(oldId);
    }
  }

  // After a reconnection the host knows nothing of the old sessions' listeners.
  forgetPlaying() {
    for (const id of [...this.sessions.keys()]) this.finished(id);
  }

  note(text) {
    this.list.prepend(element('li', { class: 'session failed', text }));
  }
}
