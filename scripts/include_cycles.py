#!/usr/bin/env python3
"""Folder-level include graph of the CEF stand-in, and its cycles.

Every folder under cefsim/src/ is a node, and so is cefsim/'s inspection
module; an edge A -> B means a file in A includes a header of B. Prints the
groups of folders that include each other (strongly connected components of
more than one folder) and exits 1 if there is any, so that a cycle fails the
build's tests as soon as it appears.

Usage: include_cycles.py [--graph] [SOURCE_ROOT]
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folders(root):
    """Maps each node name to the directory holding its files."""
    nodes = {}
    src = os.path.join(root, 'cefsim', 'src')
    for name in sorted(os.listdir(src)):
        if os.path.isdir(os.path.join(src, name)):
            nodes[name] = os.path.join(src, name)
    for name in sorted(os.listdir(os.path.join(root, 'cefsim'))):
        path = os.path.join(root, 'cefsim', name)
        if name not in ('src', 'include') and os.path.isdir(path):
            nodes[name] = path
    return nodes


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
                    target = included.split('/')[0]
                    if '/' in included and target in nodes and target != name:
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
    if not found:
        print('no include cycles between the stand-in\'s folders')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
