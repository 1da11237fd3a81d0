// The application bundle template that Mac output copies around a book.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { statSync, cpSync, mkdirSync, writeFileSync, readFileSync, rmSync, existsSync, realpathSync } from 'node:fs';
import { join } from 'node:path';
import { resourcesDir, sourceDir, tempDir } from './player_support.mjs';

const TEMPLATE = join('AppFiles', 'TmplData', 'mac.app', 'Contents');

function readPlist(path) {
  const script = 'import json, plistlib, sys\nwith open(sys.argv[1], "rb") as f:\n    print(json.dumps(plistlib.load(f)))';
  return JSON.parse(execFileSync('python3', ['-c', script, path], { encoding: 'utf8' }));
}

test('Info.plist names an executable launcher that ships with its executable bit', () => {
  const contents = join(resourcesDir, TEMPLATE);
  const plist = readPlist(join(contents, 'Info.plist'));
  assert.equal(plist.CFBundlePackageType, 'APPL');
  assert.ok(plist.CFBundleIdentifier && plist.CFBundleName);
  const exe = join(contents, 'MacOS', plist.CFBundleExecutable);
  assert.ok(statSync(exe).isFile(), `${exe} exists`);
  assert.ok(statSync(exe).mode & 0o100, `${exe} is executable in the build tree`);
  assert.equal(readFileSync(join(contents, 'PkgInfo'), 'utf8'), `APPL${plist.CFBundleSignature}`);
  // A fresh clone only gets the bit if git recorded it.
  const staged = execFileSync('git', ['ls-files', '-s', join('resources', TEMPLATE, 'MacOS', plist.CFBundleExecutable)], {
    cwd: sourceDir,
    encoding: 'utf8',
  });
  assert.match(staged, /^100755 /);
});

test('the launcher opens the book inside its own bundle, wherever the bundle lies', () => {
  const root = tempDir('foliant-mac-');
  try {
    const bin = join(root, 'bin');
    mkdirSync(bin);
    const log = join(root, 'opened.txt');
    // Stands in for the system's "open" command.
    writeFileSync(join(bin, 'open'), `#!/bin/sh\nprintf '%s\\n' "$@" >> '${log}'\n`, { mode: 0o755 });
    const bundle = join(root, 'My Books', "Anna's Book.app");
    cpSync(join(resourcesDir, TEMPLATE), join(bundle, 'Contents'), { recursive: true });
    const plist = readPlist(join(bundle, 'Contents', 'Info.plist'));
    const exe = join(bundle, 'Contents', 'MacOS', plist.CFBundleExecutable);
    const env = { ...process.env, PATH: `${bin}:${process.env.PATH}` };

    // Without the book the launcher fails instead of opening nothing.
    const missing = spawnSync(exe, [], { env, encoding: 'utf8' });
    assert.notEqual(missing.status, 0);
    assert.ok(!existsSync(log));

    mkdirSync(join(bundle, 'Contents', 'Resources'));
    writeFileSync(join(bundle, 'Contents', 'Resources', 'index.html'), '<!DOCTYPE html><title>Book</title>');
    // Started through a relative path from another folder, as the system may.
    const run = spawnSync('./MacOS/' + plist.CFBundleExecutable, [], { env, cwd: join(bundle, 'Contents'), encoding: 'utf8' });
    assert.equal(run.status, 0, run.stderr);
    const opened = readFileSync(log, 'utf8').trim().split('\n');
    assert.deepEqual(opened, [realpathSync(join(bundle, 'Contents', 'Resources', 'index.html'))]);
  } finally {
    rmSync(root, { recursive: true, force: true });
  }
});
