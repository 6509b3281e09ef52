"""Helpers the install tests share: commands that must succeed, a staged
install, and an environment that cannot lean on the build tree."""
import glob
import os
import subprocess
import sys


def run(args, **kwargs):
    """Runs a command and returns it; a failure ends the test with its output."""
    result = subprocess.run(args, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        sys.exit(f"FAILED ({result.returncode}): {' '.join(map(str, args))}\n"
                 f"{result.stdout}{result.stderr}")
    return result


def clean_env(**extra):
    """The caller's environment without loader or pkg-config paths, so only
    run paths and the variables given find anything."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("LD_LIBRARY_PATH", "PKG_CONFIG_PATH", "CMAKE_PREFIX_PATH",
                        "GLYPHWARD_REGISTRY")}
    env.update(extra)
    return env


def stage(cmake, build, prefix):
    """Installs the build into prefix; returns the library folder."""
    run([cmake, "--install", build, "--prefix", prefix])
    pcs = glob.glob(os.path.join(prefix, "**", "pkgconfig", "glyphward.pc"), recursive=True)
    if len(pcs) != 1:
        sys.exit(f"FAILED: expected one glyphward.pc under {prefix}, found {pcs}")
    return os.path.dirname(os.path.dirname(pcs[0]))
