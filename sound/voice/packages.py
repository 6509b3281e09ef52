"""Installs the Debian packages this script needs when they are missing."""

import os
import subprocess


def _installed(package):
    result = subprocess.run(
        ["dpkg-query", "-W", "-f=${Status}", package],
        capture_output=True, text=True, check=False)
    return result.stdout.strip() == "install ok installed"


def ensure(packages):
    missing = [p for p in packages if not _installed(p)]
    if not missing:
        return
    sudo = [] if os.geteuid() == 0 else ["sudo"]
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    subprocess.run(sudo + ["apt-get", "update", "-q"], check=True, env=env)
    subprocess.run(sudo + ["apt-get", "install", "-y", "-q", "--no-install-recommends"]
                   + missing, check=True, env=env)


def version(package):
    result = subprocess.run(
        ["dpkg-query", "-W", "-f=${Version}", package],
        capture_output=True, text=True, check=False)
    return result.stdout.strip() or "?"
