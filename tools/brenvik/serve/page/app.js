// The front end of brenvik serve: the parameter tree with live values, edits through the
// applet's set path, the frame preview with its histogram, the lookup-table curve, the
// trigger and configuration files.
'use strict';

const fields = new Map();  // parameter name -> its row's elements
let editing = null;        // the field being edited is not refreshed under the user's hands

async function api(method, path, body) {
  const options = { method, headers: {} };
  if (body !== undefined) {
    options.headers['Content-Type'] = 'application/json';
    options.body = JSON.stringify(body);
  }
  const response = await fetch(path, options);
  const text = await response.text();
  let data = null;
  try { data = JSON.parse(text); } catch (e) { data = text; }
  return { status: response.status, data };
}

function limitsText(p) {
  if (p.minimum === undefined) return p.entries ? `${p.entries.length} entries` : '';
  const step = p.step !== undefined && p.kind !== 'double' ? `, step ${p.step}` : '';
  return `${p.minimum} … ${p.maximum}${step}`;
}

function categoryElement(root, path) {
  let parent = root;
  let sofar = '';
  for (const level of path.split(' / ')) {
    sofar = sofar ? `${sofar} / ${level}` : level;
    let details = parent.querySelector(`:scope > details[data-category="${CSS.escape(sofar)}"]`);
    if (!details) {
      details = document.createElement('details');
      details.dataset.category = sofar;
      details.open = true;
      const summary = document.createElement('summary');
      summary.textContent = level;
      const table = document.createElement('table');
      details.append(summary, table);
      parent.append(details);
    }
    parent = details;
  }
  return parent.querySelector(':scope > table');
}

function inputFor(p) {
  let input;
  if (p.entries) {
    input = document.createElement('select');
    for (const entry of p.entries) {
      const option = document.createElement('option');
      option.value = entry.value;
      option.textContent = `${entry.displayName} (${entry.name || entry.value})`;
      input.append(option);
    }
    input.addEventListener('change', () => submit(p.name));
  } else {
    input = document.createElement('input');
    input.type = p.kind === 'string' ? 'text' : 'number';
    if (p.kind === 'double') input.step = 'any';
    input.addEventListener('focus', () => { editing = p.name; });
    input.addEventListener('blur', () => { if (editing === p.name) editing = null; });
    input.addEventListener('keydown', (event) => { if (event.key === 'Enter') submit(p.name); });
  }
  input.dataset.parameter = p.name;
  return input;
}

// Parameters the applet describes sit in their category; the others are gathered apart.
const undescribed = 'Without description';

function buildRow(root, p) {
  const table = categoryElement(root, p.described ? p.category : undescribed);
  const row = document.createElement('tr');
  const name = document.createElement('td');
  name.className = 'name';
  const display = document.createElement('span');
  display.className = 'display';
  display.textContent = p.displayName || p.name;
  const sdk = document.createElement('span');
  sdk.className = 'sdk';
  sdk.textContent = p.displayName ? p.name : '';
  name.append(display, sdk);
  name.title = p.sdkText || p.name;
  const value = document.createElement('td');
  const input = inputFor(p);
  const refusal = document.createElement('span');
  refusal.className = 'refusal';
  refusal.dataset.parameter = p.name;
  value.append(input, refusal);
  const kind = document.createElement('td');
  kind.className = 'kind';
  const limits = document.createElement('td');
  limits.className = 'limits';
  row.append(name, value, kind, limits);
  table.append(row);
  fields.set(p.name, { input, refusal, kind, limits, parameter: p });
}

function show(p) {
  const field = fields.get(p.name);
  if (!field) return;
  field.parameter = p;
  const readOnly = p.access !== 'RW' || p.kind === 'lookup table';
  field.input.disabled = readOnly;
  if (editing !== p.name) {
    field.input.value = p.value === null ? '' : p.value;
  }
  field.kind.textContent = `${p.kind}${p.unit ? ' · ' + p.unit : ''} · ${p.access}`;
  field.limits.textContent = limitsText(p);
  if (p.minimum !== undefined && field.input.type === 'number') {
    field.input.min = p.minimum;
    field.input.max = p.maximum;
  }
}

async function refresh() {
  const { status, data } = await api('GET', '/api/parameters');
  if (status !== 200) return;
  const root = document.getElementById('parameters');
  for (const p of data) {
    if (!fields.has(p.name)) buildRow(root, p);
    show(p);
  }
  document.getElementById('status').textContent = `${data.length} parameters`;
  showTrigger();
}

async function submit(name) {
  const field = fields.get(name);
  const p = field.parameter;
  const raw = field.input.value;
  const value = p.kind === 'string' ? raw : Number(raw);
  const { status, data } = await api('PUT', `/api/parameters/${encodeURIComponent(name)}`, { value });
  if (status === 200) {
    field.refusal.textContent = '';
    editing = null;
    show(data);
    await refresh();
    await drawCurve();
    return;
  }
  // Refused: the code and its meaning beside the field, and the old value back.
  field.refusal.textContent = status === 422 ? `${data.code}: ${data.message}` : data.message;
  editing = null;
  show(p);
}

async function drawCurve() {
  const { status, data } = await api('GET', '/api/lut');
  const canvas = document.getElementById('lut-curve');
  if (status !== 200 || !data.entries.length) return;
  const entries = data.entries;
  const context = canvas.getContext('2d');
  context.clearRect(0, 0, canvas.width, canvas.height);
  const top = Math.max(1023, ...entries);
  context.beginPath();
  entries.forEach((entry, i) => {
    const x = (i / (entries.length - 1)) * (canvas.width - 1);
    const y = canvas.height - 1 - (entry / top) * (canvas.height - 1);
    if (i === 0) context.moveTo(x, y); else context.lineTo(x, y);
  });
  context.strokeStyle = '#1565c0';
  context.stroke();
  const first = entries[0];
  const last = entries[entries.length - 1];
  canvas.dataset.trend = last > first ? 'rising' : last < first ? 'falling' : 'flat';
}

const kTriggerNames = ['FG_AREATRIGGERMODE', 'FG_TRIGGERSTATE', 'FG_TRIGGER_FRAMESPERSECOND',
  'FG_TRIGGERQUEUE_MODE', 'FG_TRIGGERQUEUE_FILLLEVEL', 'FG_TRIGGER_PULSEFORMGEN0_WIDTH'];

function showTrigger() {
  const list = document.getElementById('trigger');
  list.replaceChildren();
  for (const name of kTriggerNames) {
    const field = fields.get(name);
    if (!field) continue;
    const p = field.parameter;
    const entry = p.entries && p.entries.find((e) => e.value === p.value);
    const term = document.createElement('dt');
    term.textContent = name;
    const value = document.createElement('dd');
    value.textContent = entry ? `${entry.displayName}` : `${p.value}${p.unit ? ' ' + p.unit : ''}`;
    list.append(term, value);
  }
}

async function fire() {
  const { status, data } = await api('POST', '/api/trigger/fire');
  document.getElementById('fire-result').textContent =
    status === 200 ? 'fired' : `${data.code}: ${data.message}`;
  await refresh();
}

async function uploadConfig(event) {
  const file = event.target.files[0];
  if (!file) return;
  const response = await fetch('/api/config.mcf', { method: 'PUT', body: await file.text() });
  const data = await response.json();
  document.getElementById('config-result').textContent =
    response.ok ? `loaded ${file.name}` : `${data.code}: ${data.message}`;
  event.target.value = '';
  await refresh();
  await drawCurve();
}

function drawHistogram(image) {
  const scratch = document.createElement('canvas');
  scratch.width = image.naturalWidth;
  scratch.height = image.naturalHeight;
  const context = scratch.getContext('2d');
  context.drawImage(image, 0, 0);
  const pixels = context.getImageData(0, 0, scratch.width, scratch.height).data;
  const counts = new Array(256).fill(0);
  for (let i = 0; i < pixels.length; i += 4) counts[pixels[i]]++;
  const canvas = document.getElementById('histogram');
  const draw = canvas.getContext('2d');
  draw.clearRect(0, 0, canvas.width, canvas.height);
  const most = Math.max(1, ...counts);
  draw.fillStyle = '#444';
  counts.forEach((count, i) => {
    const height = (count / most) * canvas.height;
    draw.fillRect(i, canvas.height - height, 1, height);
  });
}

// The preview asks for the next frame once the last one has arrived; a board without a
// camera says why beside the picture.
function startPreview() {
  const image = document.getElementById('preview');
  const info = document.getElementById('preview-info');
  let shown = null;
  image.addEventListener('load', () => {
    info.textContent = `${image.naturalWidth} × ${image.naturalHeight}`;
    image.dataset.width = image.naturalWidth;
    drawHistogram(image);
    if (shown) URL.revokeObjectURL(shown);
    shown = image.src;
  });
  const next = async () => {
    let delay = 0;
    try {
      const response = await fetch('/api/frame.png', { cache: 'no-store' });
      if (response.ok) {
        const loaded = new Promise((resolve) => {
          image.addEventListener('load', resolve, { once: true });
          image.addEventListener('error', resolve, { once: true });
        });
        image.src = URL.createObjectURL(await response.blob());
        await loaded;
      } else {
        const problem = await response.json();
        info.textContent = problem.message;
        delay = 1000;
      }
    } catch (error) {
      info.textContent = 'the server does not answer';
      delay = 2000;
    }
    setTimeout(next, delay);
  };
  next();
}

document.getElementById('fire').addEventListener('click', fire);
document.getElementById('upload-config').addEventListener('change', uploadConfig);
refresh().then(drawCurve);
setInterval(refresh, 2000);
startPreview();
