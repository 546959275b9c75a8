// Reading the settings page the way a person sees it, and waiting for its state.

export const PANEL = (page, type) => page.locator(`#panel-${type}`);

export async function openSettings(page, url) {
  const response = await page.goto(url);
  await page.locator('body[data-ready="true"]').waitFor();
  return response;
}

// The rows of a panel in the order shown: what list --json calls the preferred entries.
export function shownDevices(page, type) {
  return PANEL(page, type).evaluate((panel) =>
    [...panel.querySelectorAll('li.device')].map((row) => {
      const slider = row.querySelector('input.volume');
      return {
        selectionId: row.dataset.id,
        name: row.querySelector('.name').textContent,
        pluggedIn: !row.classList.contains('unplugged'),
        current: !row.querySelector('.badge').hidden,
        volume: slider ? Number(slider.value) : null,
      };
    }),
  );
}

export function shownOrder(page, type) {
  return PANEL(page, type).locator('li.device').evaluateAll((rows) => rows.map((row) => row.dataset.id));
}

// Every request the page sent has its reply.
export async function settled(page) {
  await page.locator('body[data-pending="0"]').waitFor();
}

export function expectedDevices(list, type) {
  const state = list.types.find((entry) => entry.type === type);
  const currentId = state.current ? state.current.selectionId : null;
  return state.preferred.map((device) => ({
    selectionId: device.selectionId,
    name: device.name,
    pluggedIn: device.pluggedIn,
    current: device.selectionId === currentId,
    volume: type === 'camera' ? null : device.volume,
  }));
}

export function preferredOrder(list, type) {
  return list.types.find((entry) => entry.type === type).preferred.map((device) => device.selectionId);
}
