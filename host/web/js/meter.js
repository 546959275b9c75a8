// The microphone level meter: on while the microphones panel is open, the page visible and
// connected; it follows the microphone in use.

export class LevelMeter {
  // request(name, fields) sends a request; panel is the microphones <details>.
  constructor(panel, request) {
    this.panel = panel;
    this.request = request;
    this.meter = document.getElementById('mic-meter');
    this.value = document.getElementById('mic-meter-value');
    this.label = document.getElementById('mic-meter-device');
    this.connected = false;
    this.device = null;  // the microphone to measure
    this.running = null;  // the microphone the host measures now
    panel.addEventListener('toggle', () => this.update());
    document.addEventListener('visibilitychange', () => this.update());
  }

  setConnected(connected) {
    this.connected = connected;
    if (!connected) this.running = null;  // the host forgets a closed connection's meter
    this.update();
  }

  follow(device) {
    this.device = device ? device.selectionId : null;
    this.label.textContent = device ? device.name : 'no microphone';
    this.update();
  }

  update() {
    const wanted = this.connected && this.panel.open && !document.hidden ? this.device : null;
    if (wanted === this.running) return;
    if (this.running) this.request('meter', { device: this.running, on: false });
    if (wanted) this.request('meter', { device: wanted, on: true });
    this.running = wanted;
    if (!wanted) this.show(0);
  }

  reading(device, level) {
    if (device && device !== this.running) return;
    this.show(level);
  }

  show(level) {
    const clamped = Math.max(0, Math.min(1, Number(level) || 0));
    this.meter.value = clamped;
    this.value.textContent = clamped.toFixed(2);
  }
}
