#!/usr/bin/env python3
"""Fails when a layer includes a header of a layer it must not depend on.

Layers and what each may include (besides the platform's and the standard headers):
  skin/core        nothing of ours but itself (it also builds for the host, without windows.h)
  framework        itself
  media            itself and framework
  skin             itself, skin/core and framework
  app              everything above
Every include of our own code names its layer ("framework/Form.h", "media/MediaKit/Filter.h");
a bare include is allowed only for a header beside the including file.
"""
import os
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..'))

# (source folder, layer name, layers it may include); the first matching folder wins.
LAYERS = [
    ('skin/core', 'skin/core', {'skin/core'}),
    ('framework', 'framework', {'framework'}),
    ('src/media', 'media', {'media', 'framework'}),
    ('skin', 'skin', {'skin', 'skin/core', 'framework'}),
    ('app', 'app', {'app', 'media', 'skin', 'skin/core', 'framework'}),
]
# Include path prefix -> layer it belongs to (longest prefix first).
PREFIXES = [('skin/core/', 'skin/core'), ('skin/', 'skin'), ('framework/', 'framework'),
            ('media/', 'media'), ('app/', 'app')]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of_include(path):
    for prefix, layer in PREFIXES:
        if path.startswith(prefix):
            return layer
    return None


def main():
    problems = []
    for folder, layer, allowed in LAYERS:
        for dirpath, _, files in os.walk(os.path.join(ROOT, folder)):
            rel_dir = os.path.relpath(dirpath, ROOT)
            if layer == 'skin' and rel_dir.startswith('skin/core'):
                continue  # checked as its own layer
            for name in files:
                if not name.endswith(('.h', '.cpp', '.rc')):
                    continue
                path = os.path.join(dirpath, name)
                with open(path, encoding='utf-8', errors='replace') as f:
                    text = f.read()
                for included in INCLUDE.findall(text):
                    target = layer_of_include(included)
                    where = os.path.join(rel_dir, name)
                    if target is None:
                        if '/' in included or not os.path.exists(os.path.join(dirpath, included)):
                            problems.append(f'{where}: "{included}" does not name its layer')
                    elif target not in allowed:
                        problems.append(f'{where}: layer {layer} must not include "{included}" ({target})')
    for p in problems:
        print(p)
    print(f'layer includes: {len(problems)} problem(s)')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
