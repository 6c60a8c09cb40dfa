"""What the Python 2.7 test scripts share: where the builds are, and a tiny
test runner (there is no pytest for Python 2.7 here).

A test script defines functions named test_* and ends with
run_tests(globals()): each test runs in definition order, a failure prints
its traceback, and the last line of output reads "N passed, N failed"; the
exit status is 1 when any test failed. Each script runs in a host process
of its own (scripts/test_py27.sh), so CEF is started at most once per script."""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import traceback

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# The host program's folder: the modules built for 2.7 and the sub-process
# executable are there. The host puts it and ROOT on sys.path.
BUILD = os.path.dirname(sys.executable)
SUBPROCESS = os.path.join(BUILD, "zubrix_cef_subprocess")


def run_tests(namespace, finish=None):
    """Runs the namespace's tests, then finish() (say, CEF's Shutdown),
    reports and exits."""
    tests = [value for name, value in namespace.items()
             if name.startswith("test_") and callable(value)]
    tests.sort(key=lambda test: test.__code__.co_firstlineno)
    passed = failed = 0
    for test in tests:
        try:
            test()
        except Exception:
            failed += 1
            sys.stdout.write("FAIL %s\n" % test.__name__)
            traceback.print_exc(file=sys.stdout)
        else:
            passed += 1
            sys.stdout.write("ok   %s\n" % test.__name__)
        sys.stdout.flush()
    if finish:
        finish()
    sys.stdout.write("%d passed, %d failed\n" % (passed, failed))
    sys.stdout.flush()
    sys.exit(1 if failed else 0)


class TemporaryFolder(object):
    """A new folder for a with block, removed with everything in it after."""

    def __enter__(self):
        self.path = tempfile.mkdtemp()
        return self.path

    def __exit__(self, *error):
        shutil.rmtree(self.path)


def write_tree(folder, files):
    """Writes each file, named by its path below folder with "/" between
    the parts (bytes, or unicode as UTF-8), and returns folder."""
    for name, data in files.items():
        path = os.path.join(folder, *name.split("/"))
        if not os.path.isdir(os.path.dirname(path)):
            os.makedirs(os.path.dirname(path))
        with open(path, "wb") as f:
            f.write(data.encode("utf-8") if isinstance(data, unicode) else data)
    return folder


def expect_error(error_type, function, *args, **kwargs):
    """Calls function and returns the error it raised, which must be an
    error_type."""
    try:
        function(*args, **kwargs)
    except error_type as error:
        return error
    raise AssertionError("%s did not raise %s" % (
        getattr(function, "__name__", function), error_type.__name__))



def run_in_new_host(code, env=None):
    """Runs code in a new host process (with env as its environment, when
    given), which CEF may start in, since CEF starts once per process; returns
    what it wrote to stdout, as JSON."""
    handle, script = tempfile.mkstemp(suffix=".py")
    os.write(handle, "import sys\nsys.path.insert(0, %r)\n%s" % (
        os.path.dirname(os.path.abspath(__file__)), code))
    os.close(handle)
    try:
        child = subprocess.Popen([sys.executable, script], env=env,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        out, err = child.communicate()
    finally:
        os.remove(script)
    assert child.returncode == 0, err
    return json.loads(out)
