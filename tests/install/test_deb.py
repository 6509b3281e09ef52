"""The Debian package: what it holds, what it depends on, and that its tool
runs from an extracted copy. Nothing is installed on this machine."""
import fnmatch
import glob
import os
import re
import subprocess
import sys
import tempfile
import time

from PIL import Image

from stage import clean_env, run

cpack, build, version = sys.argv[1:4]
FONTS = {"fonts-liberation2", "fonts-dejavu-core", "fonts-wine"}
HEADERS = {"MirelGlyphward.h", "objbase.h", "oleauto.h", "oaidl.h", "unknwn.h", "windef.h"}


def needed(path):
    """The sonames an ELF file asks for, or None for another kind of file."""
    result = subprocess.run(["readelf", "-d", path], capture_output=True, text=True)
    if result.returncode != 0:
        return None
    return set(re.findall(r"\(NEEDED\)\s+Shared library: \[(.+)\]", result.stdout))


def owners(sonames):
    """The installed Debian packages that provide system libraries, by soname."""
    cache = run(["ldconfig", "-p"]).stdout
    candidates = {}
    for soname in sonames:
        match = re.search(rf"^\s*{re.escape(soname)} \(.*x86-64.*\) => (\S+)$", cache, re.M)
        assert match, f"{soname} is not on this system"
        path = match.group(1)
        # dpkg knows each file under one spelling of the merged /usr.
        toggled = path[4:] if path.startswith("/usr/") else "/usr" + path
        for candidate in (path, toggled, os.path.realpath(path)):
            candidates[candidate] = soname
    # One query for all: dpkg -S reads its whole database each time.
    listing = subprocess.run(["dpkg", "-S", *candidates], capture_output=True, text=True).stdout
    found = {}
    for line in listing.splitlines():
        package, path = line.split(": ", 1)
        if path in candidates:
            found[candidates[path]] = package.split(":")[0]
    missing = set(sonames) - set(found)
    assert not missing, f"no package owns {sorted(missing)}"
    return found


with tempfile.TemporaryDirectory() as tmp:
    started = time.monotonic()
    run([cpack, "-G", "DEB", "-B", tmp, "--config", os.path.join(build, "CPackConfig.cmake")])
    seconds = time.monotonic() - started
    assert seconds < 60, f"cpack took {seconds:.0f} s"
    debs = glob.glob(os.path.join(tmp, "glyphward_*.deb"))
    assert len(debs) == 1, debs
    deb = debs[0]

    # Contents: everything a user and a host need, nothing else.
    listing = run(["dpkg-deb", "-c", deb]).stdout.splitlines()
    files = {line.split()[5][2:] for line in listing if not line.split()[5].endswith("/")}
    pcs = [f for f in files if f.endswith("/pkgconfig/glyphward.pc")]
    assert len(pcs) == 1, pcs
    libdir = os.path.dirname(os.path.dirname(pcs[0]))
    required = {
        "usr/bin/glyphward",
        f"{libdir}/glyphward/MirelGlyphward.so",
        f"{libdir}/pkgconfig/glyphward.pc",
        f"{libdir}/cmake/Glyphward/GlyphwardConfig.cmake",
        f"{libdir}/cmake/Glyphward/GlyphwardConfigVersion.cmake",
        f"{libdir}/cmake/Glyphward/GlyphwardTargets.cmake",
        "usr/share/man/man1/glyphward.1.gz",
        "usr/lib/systemd/system/glyphward.service",
    } | {f"usr/include/glyphward/{h}" for h in HEADERS} | {
        f"{libdir}/lib{name}.so{suffix}"
        for name in ("ole32", "oleaut32", "advapi32") for suffix in ("", ".1")}
    missing = required - files
    assert not missing, f"missing from the package: {sorted(missing)}"
    allowed = [*required, f"{libdir}/cmake/Glyphward/GlyphwardTargets-*.cmake",
               "usr/include/glyphward/*.h", f"{libdir}/lib*.so.1.*"]
    extra = [f for f in files if not any(fnmatch.fnmatch(f, p) for p in allowed)]
    assert not extra, f"unexpected files in the package: {extra}"

    fields = run(["dpkg-deb", "-f", deb, "Package", "Version", "Maintainer", "Depends"]).stdout
    control = dict(line.split(": ", 1) for line in fields.splitlines())
    assert control["Package"] == "glyphward", control
    assert control["Version"] == version, control
    assert control["Maintainer"] == "Glyphward developers", control
    depends = {re.split(r"[ (]", d.strip())[0]
               for alternative in control["Depends"].split(",") for d in alternative.split("|")}
    assert FONTS | {"libjpeg62-turbo", "libc6", "libstdc++6"} <= depends, control["Depends"]

    # The unit is shipped, never enabled by the package's own scripts.
    scripts = os.path.join(tmp, "control")
    run(["dpkg-deb", "-e", deb, scripts])
    for name in set(os.listdir(scripts)) & {"preinst", "postinst", "prerm", "postrm"}:
        with open(os.path.join(scripts, name), errors="replace") as f:
            text = f.read()
        assert not re.search(r"systemctl|deb-systemd|enable", text), f"{name} enables: {text}"

    root = os.path.join(tmp, "root")
    run(["dpkg-deb", "-x", deb, root])
    with open(os.path.join(root, "usr/lib/systemd/system/glyphward.service")) as f:
        unit = f.read()
    exec_start = re.search(r"^ExecStart=(\S+) serve\b", unit, re.M)
    assert exec_start and os.access(root + exec_start.group(1), os.X_OK), exec_start

    # Shlibdeps covered every system library any file of the package links.
    provided = {os.path.basename(f) for f in files}
    wanted = {}
    for f in files:
        if not os.path.islink(os.path.join(root, f)):
            for soname in (needed(os.path.join(root, f)) or set()) - provided:
                wanted.setdefault(soname, f)
    for soname, package in owners(wanted).items():
        assert package in depends, f"{wanted[soname]} needs {soname} of {package}: {control}"

    # Run paths alone find the package's libraries, for the tool and the module.
    env = clean_env(GLYPHWARD_REGISTRY=os.path.join(tmp, "registry"))
    for binary in ("usr/bin/glyphward", f"{libdir}/glyphward/MirelGlyphward.so"):
        resolved = run(["ldd", os.path.join(root, binary)], env=env).stdout
        line = next(l for l in resolved.splitlines() if "liboleaut32.so.1" in l)
        assert os.path.realpath(root) in os.path.realpath(line.split("=>")[1].split()[0]), line
    picture = os.path.join(tmp, "captcha.jpg")
    run([os.path.join(root, "usr/bin/glyphward"), "image", "-o", picture], env=env)
    with Image.open(picture) as image:
        assert image.format == "JPEG", image.format
        image.load()
    print(f"{os.path.basename(deb)}: {os.path.getsize(deb)} bytes, built in {seconds:.1f} s; "
          f"Depends: {control['Depends']}")
