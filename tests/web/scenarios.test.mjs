// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The scripted driver built for the web, run by plain node, against the native driver: every
// behaviour scenario, and every way a run can end, must give the same bytes on standard output
// and standard error and the same exit status.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';

import { nativeDriver, root, webDriver } from './support.mjs';

function run(command, args, input) {
  const r = spawnSync(command, args, { cwd: root, input, maxBuffer: 64 << 20 });
  if (r.error) throw r.error;
  return { status: r.status, stdout: r.stdout.toString('latin1'), stderr: r.stderr.toString('latin1') };
}

// Both drivers with the same arguments (paths relative to the tree, as the driver prints them).
function agree(args, input) {
  const native = run(nativeDriver, args, input);
  const web = run('node', [webDriver, ...args], input);
  assert.deepEqual(web, native);
  return native;
}

const scenarios = readdirSync(join(root, 'tests/scenarios')).filter((f) => f.endsWith('.scn')).sort()
  .map((f) => `tests/scenarios/${f}`);

test('there are scenarios to compare', () => assert.ok(scenarios.length > 0, 'no scenario found'));

for (const scenario of scenarios) {
  test(`same output: ${scenario}`, () => {
    const r = agree([scenario]);
    assert.equal(r.status, 0, r.stdout + r.stderr);
  });
}

test('same output: every scenario in one run, and a script on standard input', () => {
  agree(scenarios);
  const r = agree([], 'start\ntick Intro.Timer1 39\nclick Intro.strt\npress Selec Enter\ndump Game1\n');
  assert.match(r.stdout, /^Game1\.Main\.Left = 3840$/m);
});

test('same failures: an expect that fails, a wrong script, a missing file', () => {
  const dir = mkdtempSync(join(tmpdir(), 'miravel-web-'));
  const failing = join(dir, 'failing.scn');
  writeFileSync(failing, 'start\nexpect Intro.strt.Visible True\nset Intro.Score.Caption abc\nopen Game1\nrun 400\n');
  const wrong = join(dir, 'wrong.scn');
  writeFileSync(wrong, 'start\nfly Intro\n');
  assert.equal(agree([failing]).status, 1);
  assert.equal(agree([wrong]).status, 2);
  assert.equal(agree([failing, join(dir, 'missing.scn')]).status, 2);
});
