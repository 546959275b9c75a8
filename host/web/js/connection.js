// The page's one WebSocket to the host: requests with ids and their replies, pushed messages,
// and reconnection with back-off after the connection is lost.

const FIRST_RETRY_MS = 250;
const LAST_RETRY_MS = 5000;

export class Connection {
  // url: the WebSocket address; handlers: onMessage(message), onOpen(), onLost(retryMs),
  // onRefused() when the host turns the page away rather than being unreachable.
  constructor(url, handlers) {
    this.url = url;
    this.handlers = handlers;
    this.nextId = 1;
    this.pending = new Map();
    this.retryMs = FIRST_RETRY_MS;
    this.socket = null;
    this.timer = null;
  }

  open() {
    clearTimeout(this.timer);
    this.timer = null;
    const socket = new WebSocket(this.url);
    this.socket = socket;
    let opened = false;
    socket.addEventListener('open', () => {
      opened = true;
      this.retryMs = FIRST_RETRY_MS;
      this.handlers.onOpen();
    });
    socket.addEventListener('message', (message) => this.receive(message.data));
    socket.addEventListener('close', () => {
      if (this.socket !== socket) return;
      this.socket = null;
      this.failPending('the connection was lost');
      this.lost(opened);
    });
  }

  // A socket that never opened may have been refused for its token: ask the page's own address,
  // which answers 403 in that case, before retrying.
  async lost(wasOpen) {
    if (!wasOpen && (await this.refused())) {
      this.handlers.onRefused();
      return;
    }
    const delay = this.retryMs;
    // Jitter keeps many pages from returning at the same instant after a restart.
    this.retryMs = Math.min(LAST_RETRY_MS, this.retryMs * 2) * (0.8 + 0.4 * Math.random());
    this.handlers.onLost(delay);
    this.timer = setTimeout(() => this.open(), delay);
  }

  async refused() {
    try {
      const answer = await fetch(location.pathname, { method: 'HEAD', cache: 'no-store', credentials: 'same-origin' });
      return answer.status === 403;
    } catch {
      return false;  // unreachable: keep retrying
    }
  }

  receive(text) {
    let message;
    try {
      message = JSON.parse(text);
    } catch {
      console.warn('ignored a message that is not JSON');
      return;
    }
    if (message && message.type === 'reply' && this.pending.has(message.id)) {
      const { resolve } = this.pending.get(message.id);
      this.pending.delete(message.id);
      this.showPending();
      resolve(message);
      return;
    }
    this.handlers.onMessage(message);
  }

  // Resolves with the reply ({ok, result} or {ok: false, error, class}); never rejects, so a
  // lost connection reads as a failed request.
  request(name, fields = {}) {
    const id = this.nextId++;
    return new Promise((resolve) => {
      if (!this.socket || this.socket.readyState !== WebSocket.OPEN) {
        resolve({ ok: false, error: 'not connected', class: 'failure' });
        return;
      }
      this.pending.set(id, { resolve });
      this.showPending();
      this.socket.send(JSON.stringify({ id, request: name, ...fields }));
    });
  }

  failPending(reason) {
    for (const { resolve } of this.pending.values()) resolve({ ok: false, error: reason, class: 'failure' });
    this.pending.clear();
    this.showPending();
  }

  // How many requests wait for their reply, for the styles (and for whoever waits on the page).
  showPending() {
    document.body.dataset.pending = String(this.pending.size);
  }
}
