// The connection's state: a banner while it is lost or refused, and a short status line.

export class Banner {
  constructor(banner, status) {
    this.banner = banner;
    this.status = status;
    this.noticeTimer = null;
  }

  connected() {
    this.show(null);
    this.status.textContent = 'Connected';
    this.status.dataset.state = 'connected';
  }

  lost(retryMs) {
    const seconds = Math.max(1, Math.round(retryMs / 1000));
    this.show(`Connection to the host lost. Reconnecting in ${seconds} s…`, 'lost');
    this.status.textContent = 'Reconnecting';
    this.status.dataset.state = 'lost';
  }

  forbidden() {
    this.show('Forbidden: the host does not accept this page\'s token. Open the address that "mediadevice-host serve" printed.', 'forbidden');
    this.status.textContent = 'Forbidden';
    this.status.dataset.state = 'forbidden';
  }

  // A refused request: shown for a while, unless the connection's own state takes the banner.
  notice(text) {
    if (this.banner.dataset.kind === 'lost' || this.banner.dataset.kind === 'forbidden') return;
    this.show(text, 'notice');
    clearTimeout(this.noticeTimer);
    this.noticeTimer = setTimeout(() => this.banner.dataset.kind === 'notice' && this.show(null), 6000);
  }

  show(text, kind) {
    this.banner.hidden = !text;
    this.banner.textContent = text || '';
    this.banner.dataset.kind = text ? kind : '';
  }
}
