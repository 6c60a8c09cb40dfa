"""The module's stub against the module: every function, method and property
accessor of the stub takes as many arguments, and gives the same type, as
pybind11's signature of the bound function says. mypy's stubtest checks the
names, but cannot see the parameters of pybind11's functions."""
import ast
import os
import re

import pytest

import _zubrix_cef
from conftest import ROOT

STUB = os.path.join(ROOT, "module", "_zubrix_cef.pyi")
SIGNATURE = re.compile(r"^\w*\((?P<params>.*)\) -> (?P<result>[\w.<>]+)$")


def stub_functions():
    """(owner, name, accessor, stub function) for each def of the stub, the
    owner a class name or None, the accessor "fget"/"fset" for properties."""
    with open(STUB) as source:
        tree = ast.parse(source.read())
    found = []
    for node in tree.body:
        if isinstance(node, ast.FunctionDef):
            found.append((None, node.name, None, node))
        elif isinstance(node, ast.ClassDef):
            for item in node.body:
                if isinstance(item, ast.FunctionDef):
                    found.append((node.name, item.name, accessor(item), item))
    return found


def accessor(function):
    for decorator in function.decorator_list:
        if isinstance(decorator, ast.Name) and decorator.id == "property":
            return "fget"
        if isinstance(decorator, ast.Attribute) and decorator.attr == "setter":
            return "fset"
    return None


def runtime_signature(owner, name, access):
    target = getattr(_zubrix_cef, owner) if owner else _zubrix_cef
    bound = vars(target)[name] if access else getattr(target, name)
    if access:
        bound = getattr(bound, access)
    match = SIGNATURE.match(bound.__doc__.splitlines()[0])
    assert match, bound.__doc__
    return match.group("params"), match.group("result")


def top_level_count(params):
    depth, count = 0, 1 if params else 0
    for character in params:
        depth += character in "[<("
        depth -= character in "]>)"
        count += character == "," and depth == 0
    return count


def stub_result(function):
    if function.returns is None:
        return None
    text = ast.unparse(function.returns)
    return {"_Text": "str"}.get(text, text)


CASES = stub_functions()


def test_stub_declares_the_whole_surface():
    names = {(owner, name) for owner, name, _, _ in CASES}
    for function in ("Initialize", "Shutdown", "CreateBrowserSync",
                     "RegisterPyCallback", "UnregisterPyCallback", "SetConsoleLogger"):
        assert (None, function) in names
    for method in ("Resize", "Close", "Reload", "ExecuteJavascript", "ShowDevTools",
                   "RegisterStartupCode", "UnregisterStartupCode"):
        assert ("CefBrowser", method) in names


@pytest.mark.parametrize("owner, name, access, function", CASES,
                         ids=["%s.%s%s" % (c[0], c[1], "." + c[2] if c[2] else "")
                              for c in CASES])
def test_stub_matches_the_bound_signature(owner, name, access, function):
    params, result = runtime_signature(owner, name, access)
    arguments = function.args
    assert not arguments.kwonlyargs and not arguments.vararg and not arguments.kwarg
    declared = [a.arg for a in arguments.posonlyargs + arguments.args]
    # Only self may have a keyword name; the module declares none.
    for parameter in declared:
        assert parameter == "self" or parameter.startswith("__"), parameter
    assert len(declared) == top_level_count(params)
    if access != "fset" and name != "__init__":
        assert stub_result(function) == result.rsplit(".", 1)[-1]
