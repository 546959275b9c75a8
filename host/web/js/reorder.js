// Drag and drop within one list of devices. The drop computes the new order and hands it on;
// the list itself changes only when the host confirms it.

import { moved } from './model.js';

export function enableDragReorder(list, currentOrder, onReorder) {
  let dragged = null;

  const rowOf = (target) => target && target.closest && target.closest('li.device');
  const clearMarks = () => list.querySelectorAll('.drop-before, .drop-after').forEach((row) => row.classList.remove('drop-before', 'drop-after'));
  const dropsAfter = (row, event) => {
    const box = row.getBoundingClientRect();
    return event.clientY > box.top + box.height / 2;
  };

  list.addEventListener('dragstart', (event) => {
    const row = rowOf(event.target);
    if (!row) return;
    dragged = row.dataset.id;
    row.classList.add('dragging');
    event.dataTransfer.effectAllowed = 'move';
    event.dataTransfer.setData('text/plain', dragged);
  });
  list.addEventListener('dragover', (event) => {
    const row = rowOf(event.target);
    if (!dragged || !row) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = 'move';
    clearMarks();
    row.classList.add(dropsAfter(row, event) ? 'drop-after' : 'drop-before');
  });
  list.addEventListener('dragleave', (event) => {
    if (!list.contains(event.relatedTarget)) clearMarks();
  });
  list.addEventListener('drop', (event) => {
    const row = rowOf(event.target);
    if (!dragged || !row) return;
    event.preventDefault();
    const order = currentOrder();
    const withoutDragged = order.filter((id) => id !== dragged);
    let index = withoutDragged.indexOf(row.dataset.id);
    if (index < 0) index = order.indexOf(dragged);  // dropped on itself
    else if (dropsAfter(row, event)) index += 1;
    const next = moved(order, dragged, index);
    clearMarks();
    if (next.join('\n') !== order.join('\n')) onReorder(next);
  });
  list.addEventListener('dragend', () => {
    list.querySelectorAll('.dragging').forEach((row) => row.classList.remove('dragging'));
    clearMarks();
    dragged = null;
  });
}
