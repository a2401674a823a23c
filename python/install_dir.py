"""Prints where the interpreter's site-packages lie under an install prefix
(lib/python3.11/dist-packages on Debian), for `cmake --install`."""
import os
import sys
import sysconfig

platlib = sysconfig.get_path("platlib")
for base in (os.path.join(sys.prefix, "local"), sys.prefix):
    if platlib.startswith(base + os.sep):
        print(os.path.relpath(platlib, base))
        break
else:
    print(os.path.join("lib", "python%d.%d" % sys.version_info[:2], "site-packages"))
