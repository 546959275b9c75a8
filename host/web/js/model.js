// What the page knows of the host: the state document (the same one `list --json` prints),
// kept up to date by events. Pure data: no DOM here.

export const DEVICE_TYPES = ['speaker', 'microphone', 'ringer', 'camera'];

function emptyType(type) {
  return { type, preferred: [], available: [], current: null, inUse: null };
}

export class Model {
  constructor() {
    this.reset({ types: [] });
  }

  reset(state) {
    this.types = new Map(DEVICE_TYPES.map((type) => [type, emptyType(type)]));
    for (const entry of (state && state.types) || []) {
      if (this.types.has(entry.type)) this.types.set(entry.type, { ...emptyType(entry.type), ...entry });
    }
    this.sounds = Array.isArray(state && state.sounds) ? state.sounds.slice() : this.sounds || [];
  }

  // The devices of a type in the order the panel shows them: the preferred order, then any
  // available device the preferred list does not name yet.
  devicesOf(type) {
    const state = this.types.get(type);
    const currentId = state.current ? state.current.selectionId : null;
    const byId = new Map();
    for (const device of state.preferred) byId.set(device.selectionId, { ...device });
    for (const device of state.available) {
      const known = byId.get(device.selectionId);
      byId.set(device.selectionId, known ? { ...known, ...device } : { ...device });
    }
    return [...byId.values()].map((device) => ({
      ...device,
      pluggedIn: device.pluggedIn !== false,
      current: device.selectionId === currentId,
    }));
  }

  preferredIds(type) {
    return this.devicesOf(type).map((device) => device.selectionId);
  }

  setCurrent(type, device) {
    const state = this.types.get(type);
    if (state) state.current = device || null;
  }

  // Replaces one type's lists, as an event carrying a type's whole state does.
  setTypeState(entry) {
    if (entry && this.types.has(entry.type)) this.types.set(entry.type, { ...emptyType(entry.type), ...entry });
  }

  setPreferredOrder(type, ids) {
    const state = this.types.get(type);
    const position = new Map(ids.map((id, index) => [id, index]));
    const rank = (device) => (position.has(device.selectionId) ? position.get(device.selectionId) : ids.length);
    const known = new Map([...state.available, ...state.preferred].map((device) => [device.selectionId, device]));
    state.preferred = ids.filter((id) => known.has(id)).map((id) => known.get(id));
    state.available = state.available.slice().sort((a, b) => rank(a) - rank(b));
  }

  setVolume(type, id, volume) {
    const state = this.types.get(type);
    if (!state) return;
    for (const list of [state.preferred, state.available])
      for (const device of list) if (device.selectionId === id) device.volume = volume;
    if (state.current && state.current.selectionId === id) state.current.volume = volume;
  }

  findDevice(id, type) {
    for (const [name, state] of this.types) {
      if (type && name !== type) continue;
      const device = [...state.preferred, ...state.available].find((entry) => entry.selectionId === id);
      if (device) return device;
    }
    return null;
  }
}

// Moves one id within a list; used by both drag and drop and the move buttons.
export function moved(ids, id, toIndex) {
  const rest = ids.filter((entry) => entry !== id);
  const index = Math.max(0, Math.min(rest.length, toIndex));
  rest.splice(index, 0, id);
  return rest;
}
