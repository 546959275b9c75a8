// The settings page: connects to the host, renders its state and keeps it live.

import { Connection } from './connection.js';
import { DEVICE_TYPES, Model } from './model.js';
import { DevicePanel } from './panels.js';
import { LevelMeter } from './meter.js';
import { MicrophoneCheck } from './micCheck.js';
import { Ringtones } from './ringers.js';
import { EventStrip } from './eventStrip.js';
import { Banner } from './banner.js';
import { describeEvent } from './eventText.js';

const model = new Model();
const banner = new Banner(document.getElementById('banner'), document.getElementById('connection-status'));
const strip = new EventStrip(document.getElementById('event-strip'));
const connection = new Connection(socketAddress(), {
  onOpen: () => banner.connected(),
  onLost: (retryMs) => {
    setLive(false);
    banner.lost(retryMs);
  },
  onRefused: () => {
    setLive(false);
    banner.forbidden();
  },
  onMessage: receive,
});
const request = (name, fields) => connection.request(name, fields);

const panels = new Map(
  DEVICE_TYPES.map((type) => [type, new DevicePanel(document.getElementById(`panel-${type}`), type, { prefer, select, volume, test })]),
);
const meter = new LevelMeter(document.getElementById('panel-microphone'), request);
const micCheck = new MicrophoneCheck(request, () => model.types.get('microphone').current);
const ringtones = new Ringtones(request, (id) => (model.findDevice(id, 'ringer') || { name: id }).name);

// The token comes in the address of the first load; the host also keeps it in a cookie, so
// it is taken out of the address bar, where it would be seen and copied.
function socketAddress() {
  const address = new URL(location.href);
  const token = address.searchParams.get('token');
  if (token) {
    address.searchParams.delete('token');
    history.replaceState(null, '', address.pathname + address.search + address.hash);
  }
  const scheme = location.protocol === 'https:' ? 'wss:' : 'ws:';
  return `${scheme}//${location.host}/ws${token ? `?token=${encodeURIComponent(token)}` : ''}`;
}

function setLive(live) {
  document.body.classList.toggle('offline', !live);
  document.getElementById('panels').setAttribute('aria-busy', String(!live));
  meter.setConnected(live);
  if (!live) {
    micCheck.reset();
    ringtones.forgetPlaying();
  }
}

function receive(message) {
  if (!message || typeof message !== 'object') return;
  if (message.type === 'state') {
    model.reset(message.state);
    ringtones.setSounds(message.sounds || []);
    document.body.dataset.backend = message.backend || '';
    renderAll();
    setLive(true);
    document.body.dataset.ready = 'true';
  } else if (message.type === 'event' && message.event) {
    applyEvent(message.event);
  } else if (message.type === 'reply' && !message.ok) {
    console.warn(`the host refused a message: ${message.error}`);
  }
}

function applyEvent(event) {
  switch (event.event) {
    case 'DeviceAdded':
    case 'DeviceRemoved':
      if (event.state) model.reset({ ...event.state, sounds: model.sounds });
      renderAll();
      strip.add(event.event === 'DeviceAdded' ? 'plug' : 'unplug', describeEvent(event));
      break;
    case 'CurrentSpeaker':
    case 'CurrentMicrophone':
    case 'CurrentRinger':
    case 'CurrentCamera':
    case 'PreferredList':
      if (event.state) model.setTypeState(event.state);
      else if (event.type && 'device' in event) model.setCurrent(event.type, event.device);
      renderType(event.type);
      break;
    case 'Volume':
      model.setVolume(event.type, event.device, event.volume);
      renderType(event.type);
      break;
    case 'Button':
      strip.add('button', describeEvent(event));
      break;
    case 'SessionStarted':
      for (const id of event.sessions || [])
        ringtones.started(id, event.device === 'all' ? 'all ringers' : ringtones.deviceName(event.device), event.sound);
      break;
    case 'SoundPlayFinished':
      ringtones.finished(event.session);
      break;
    case 'Peak':
      meter.reading(event.device, event.level);
      break;
    case 'MicCheck':
      micCheck.advance({ ...event, speaker: event.speaker && model.findDevice(event.speaker, 'speaker') });
      break;
    default:
      break;  // kinds this page does not show, such as the camera preview's size
  }
}

function renderType(type) {
  if (!panels.has(type)) return;
  panels.get(type).render(model.devicesOf(type));
  if (type === 'microphone') meter.follow(model.types.get('microphone').current);
}

function renderAll() {
  for (const type of DEVICE_TYPES) renderType(type);
}

async function prefer(type, ids) {
  const before = model.preferredIds(type);
  model.setPreferredOrder(type, ids);  // shown at once; put back if the host refuses it
  renderType(type);
  const reply = await request('prefer', { type, devices: ids });
  if (reply.ok && reply.result) model.setTypeState(reply.result);
  else if (!reply.ok) {
    model.setPreferredOrder(type, before);
    banner.notice(`The new order was not kept: ${reply.error}`);
  }
  renderType(type);
}

async function select(type, id) {
  const reply = await request('select', { type, device: id });
  if (reply.ok && reply.result) model.setTypeState(reply.result);
  else if (!reply.ok) banner.notice(`Could not use that device: ${reply.error}`);
  renderType(type);
}

async function volume(type, id, value) {
  const reply = await request('volume', { type, device: id, volume: value });
  if (reply.ok && reply.result) model.setTypeState(reply.result);
  else if (!reply.ok) banner.notice(`The volume was not changed: ${reply.error}`);
  renderType(type);
}

function test(id) {
  return ringtones.test(id);
}

connection.open();
