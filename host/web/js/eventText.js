// One line of text for an event of the strip.

export function describeEvent(event) {
  if (event.event === 'Button') return `${event.button} pressed on ${event.hardwareId}`;
  const verb = event.event === 'DeviceAdded' ? 'plugged in' : 'unplugged';
  const devices = event.devices || [];
  if (devices.length === 0) return `a device ${verb}`;
  return devices.map((device) => `${device.name || device.selectionId} (${device.type}) ${verb}`).join(', ');
}
