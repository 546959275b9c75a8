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
// data-focus key and give it back afterwards.
export function keepingFocus(root, change) {
  const active = document.activeElement;
  const key = active && root.contains(active) ? active.dataset.focus : null;
  change();
  if (!key || (document.activeElement && document.activeElement.dataset.focus === key)) return;
  for (const candidate of root.querySelectorAll('[data-focus]'))
    if (candidate.dataset.focus === key) {
      candidate.focus();
      return;
    }
}
