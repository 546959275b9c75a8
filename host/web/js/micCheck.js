// The microphone check: the host records a few seconds from a microphone and plays them
// back on the speaker in use; the page starts it and shows how far it is.

const level = (event) => (typeof event.level === 'number' ? event.level.toFixed(2) : 'unknown');

export class MicrophoneCheck {
  constructor(request, currentMicrophone) {
    this.request = request;
    this.currentMicrophone = currentMicrophone;
    this.button = document.getElementById('mic-check');
    this.progress = document.getElementById('mic-check-progress');
    this.status = document.getElementById('mic-check-status');
    this.button.addEventListener('click', () => this.start());
  }

  async start() {
    const device = this.currentMicrophone();
    if (!device) {
      this.say('No microphone to check.');
      return;
    }
    this.button.disabled = true;
    this.progress.hidden = false;
    this.progress.value = 0;
    this.say(`Starting the check of ${device.name}…`);
    const reply = await this.request('micCheck', { device: device.selectionId });
    if (!reply.ok) this.finish(`The check could not run: ${reply.error}`, 'failed');
  }

  // One progress event of the host: a phase and, when known, how far it is (0 to 1).
  advance(event) {
    const phase = event.phase || event.state || '';
    if (typeof event.progress === 'number') this.progress.value = event.progress;
    if (phase === 'recording') this.say(`Recording — speak now… loudest so far ${level(event)}`);
    else if (phase === 'playing') this.say(`Playing back what was recorded${event.speaker ? ` on ${event.speaker.name}` : ''}…`);
    else if (phase === 'done' || phase === 'finished') this.finish(this.resultText(event), 'done');
    else if (phase === 'failed' || phase === 'error') this.finish(`The check failed: ${event.error || 'unknown error'}`, 'failed');
  }

  resultText(event) {
    const parts = [`Recorded ${event.seconds || 3} s`];
    if (event.speaker) parts.push(`played back on ${event.speaker.name}`);
    parts.push(`loudest level ${level(event)}`);
    return parts.join(', ') + '.';
  }

  finish(text, outcome) {
    this.button.disabled = false;
    this.progress.value = 1;
    this.progress.hidden = true;
    this.status.dataset.outcome = outcome;
    this.say(text);
  }

  say(text) {
    this.status.textContent = text;
  }

  reset() {
    if (this.button.disabled) this.finish('The check was interrupted: the connection was lost.', 'failed');
  }
}
