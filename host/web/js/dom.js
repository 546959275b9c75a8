// Small DOM helpers shared by the panels.

export function element(tag, properties = {}, children = []) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(properties)) {
    if (key === 'class') node.className = value;
    else if (key === 'text') node.textContent = value;
    else if (key.startsWith('aria-') || key.startsWith('data-') || key === 'for' || key === 'role')
      node.setAttribute(key, value);
    else node[key] = value;
  }
  for (const child of children) if (child) node.append(child);
  return node;
}

// Re-rendering moves nodes, which drops the focus: remember which control had it by its
// data-focus key and give it back afterwards. A control that became disabled (a device moved
// to the top has no "up") hands the focus to the key that fallback names.
export function keepingFocus(root, change, fallback = () => null) {
  const active = document.activeElement;
  const key = active && root.contains(active) ? active.dataset.focus : null;
  change();
  if (!key) return;
  const find = (wanted) => [...root.querySelectorAll('[data-focus]')].find((node) => node.dataset.focus === wanted);
  let target = find(key);
  if (target && target.disabled) target = find(fallback(key)) || target;
  if (target && document.activeElement !== target) target.focus();
}
