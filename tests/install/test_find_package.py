"""A CMake project that only does find_package(Glyphward) configures, builds
and runs against a staged install, linking the staged libraries."""
import os
import sys
import tempfile

from stage import clean_env, run, stage

cmake, build, project, generator = sys.argv[1:5]

with tempfile.TemporaryDirectory() as tmp:
    prefix = os.path.join(tmp, "prefix")
    libdir = stage(cmake, build, prefix)
    host = os.path.join(tmp, "host")
    env = clean_env()
    run([cmake, "-S", project, "-B", host, "-G", generator, f"-DCMAKE_PREFIX_PATH={prefix}",
         "-DCMAKE_C_FLAGS=-Wall -Wextra -Werror"], env=env)
    run([cmake, "--build", host], env=env)
    program = os.path.join(host, "identities")
    out = run([program], env=env).stdout
    assert out == "{D53E867E-CF73-48EB-A052-A6369CF45F59}\n", f"unexpected output: {out!r}"

    # The imported targets point into the staged prefix, not the build tree.
    linked = run(["ldd", program], env=env).stdout
    for library in ("libole32.so.1", "liboleaut32.so.1"):
        line = next((l for l in linked.splitlines() if l.strip().startswith(library)), "")
        found = line.split("=>")[-1].split("(")[0].strip()
        assert found and os.path.realpath(found).startswith(os.path.realpath(libdir)), line
    print("find_package(Glyphward): built, ran and linked the staged libraries")
