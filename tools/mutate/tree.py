"""The mutation run's own copy of the tree, its build and its test runs.

The copy is brought up to date file by file (only changed files are
rewritten, so the build stays incremental); a file a killed run left
mutated differs from the real tree and is rewritten too. Every process
started here runs in a session of its own and is ended with it.
"""
import os
import signal
import subprocess
import time
from pathlib import Path

BUILD_TIMEOUT = 600  # a mutated constant expression can keep the compiler busy
TEST_TARGET = "prumya_tests"


def blocked_signals():
    """Signals held back while the copy is being put back."""
    return signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT, signal.SIGTERM, signal.SIGHUP})


class WorkTree:
    def __init__(self, root, work_dir):
        self.root = Path(root)
        self.dir = Path(work_dir)
        self.src = self.dir / "src"
        self.out = self.dir / "build"
        self.log = self.dir / "last-build.log"

    def source_files(self):
        listed = subprocess.run(["git", "-C", str(self.root), "ls-files", "-co", "--exclude-standard", "-z"],
                                check=True, capture_output=True).stdout.split(b"\0")
        return sorted(os.fsdecode(f) for f in listed if f and (self.root / os.fsdecode(f)).is_file())

    def sync(self):
        wanted = set(self.source_files())
        for rel in wanted:
            data = (self.root / rel).read_bytes()
            target = self.src / rel
            if not target.is_file() or target.read_bytes() != data:
                target.parent.mkdir(parents=True, exist_ok=True)
                target.write_bytes(data)
        for path in sorted(self.src.rglob("*"), reverse=True):
            rel = path.relative_to(self.src).as_posix()
            if path.is_file() and rel not in wanted:
                path.unlink()

    def _run(self, command, timeout, **kwargs):
        """Runs a command in its own session; False on failure or time-out."""
        proc = subprocess.Popen(command, start_new_session=True, **kwargs)
        try:
            return proc.wait(timeout=timeout) == 0
        except subprocess.TimeoutExpired:
            return False
        finally:
            if proc.poll() is None:
                os.killpg(proc.pid, signal.SIGKILL)
                proc.wait()

    def build(self):
        with open(self.log, "w") as log:
            if not (self.out / "build.ninja").is_file():
                configure = ["cmake", "-S", str(self.src), "-B", str(self.out), "-G", "Ninja",
                             "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS_RELEASE=-O1"]
                if not self._run(configure, BUILD_TIMEOUT, stdout=log, stderr=subprocess.STDOUT):
                    return False
            command = ["cmake", "--build", str(self.out), "--target", TEST_TARGET, "-j", "2"]
            return self._run(command, BUILD_TIMEOUT, stdout=log, stderr=subprocess.STDOUT)

    def run_tests(self, timeout):
        """The unit suite, without a display; True when every test passed."""
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
        command = [str(self.out / TEST_TARGET), "--gtest_brief=1", "--gtest_fail_fast"]
        return self._run(command, timeout, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def baseline(self):
        """Builds the unmutated copy and times one passing run of the suite."""
        if not self.build():
            print(f"the unmutated copy does not build; see {self.log}")
            print("".join(self.log.read_text(errors="replace").splitlines(True)[-20:]))
            return None
        start = time.monotonic()
        if not self.run_tests(BUILD_TIMEOUT):
            print("the unit suite fails on the unmutated copy: fix that first")
            return None
        return time.monotonic() - start
