#!/usr/bin/env python3
"""Folder-level include graph of the tree's C++ code, and its cycles.

Every folder of the system (module/, browser/, renderer/, bridge/, scheme/,
common/, preview/), platform/, each folder under cefsim/src/ and cefsim/'s
other folders is a node, named by its path from the tree's root; an edge
A -> B means a file in A includes a header of B, every include being written
from that root. Prints the groups of folders that include each other
(strongly connected components of more than one folder), and any include of
a stand-in folder by the system's, and exits 1 if there is either, so that
the build's tests fail as soon as one appears.

Usage: include_cycles.py [--graph] [SOURCE_ROOT]
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


SYSTEM_AND_PLATFORM = ('module', 'browser', 'renderer', 'bridge', 'scheme',
                       'common', 'preview', 'platform')


def folders(root):
    """Maps each node name (its path from root) to its directory."""
    names = [name for name in SYSTEM_AND_PLATFORM if os.path.isdir(os.path.join(root, name))]
    for parent in ('cefsim/src', 'cefsim'):
        for name in sorted(os.listdir(os.path.join(root, parent))):
            if (os.path.isdir(os.path.join(root, parent, name))
                    and name not in ('src', 'include')):
                names.append(parent + '/' + name)
    return {name: os.path.join(root, name) for name in names}


def node_of(included, nodes):
    """The node an include names: the longest node path it starts with."""
    parts = included.split('/')
    for length in range(len(parts) - 1, 0, -1):
        prefix = '/'.join(parts[:length])
        if prefix in nodes:
            return prefix
    return None


def edges(nodes):
    graph = {name: set() for name in nodes}
    for name, path in nodes.items():
        for dirpath, _, files in os.walk(path):
            for file_name in files:
                if not file_name.endswith(('.cc', '.h')):
                    continue
                with open(os.path.join(dirpath, file_name)) as source:
                    text = source.read()
                for included in INCLUDE.findall(text):
                    target = node_of(included, nodes)
                    if target is not None and target != name:
                        graph[name].add(target)
    return graph


def cycles(graph):
    """Tarjan's strongly connected components with more than one node."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for target in sorted(graph[node]):
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main(argv):
    show_graph = '--graph' in argv
    rest = [arg for arg in argv if arg != '--graph']
    root = rest[0] if rest else os.path.join(os.path.dirname(__file__), '..')
    graph = edges(folders(root))
    if show_graph:
        for node in sorted(graph):
            print('%s -> %s' % (node, ' '.join(sorted(graph[node]))))
    found = cycles(graph)
    for component in found:
        inner = ['%s -> %s' % (node, target) for node in component
                 for target in sorted(graph[node]) if target in component]
        print('cycle among %s: %s' % (', '.join(component), '; '.join(inner)))
    # The system builds against real CEF too, where no stand-in exists.
    into_standin = ['%s -> %s' % (node, target) for node in SYSTEM_AND_PLATFORM
                    for target in sorted(graph.get(node, ()))
                    if target.startswith('cefsim/')]
    for edge in into_standin:
        print('system code includes a stand-in internal: %s' % edge)
    if not found and not into_standin:
        print('no include cycles between the tree\'s folders, and the system '
              'includes no stand-in internal')
    return 1 if found or into_standin else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
