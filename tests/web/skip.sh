#!/bin/sh
# Says why a web test cannot run here, and reports it to CTest as skipped.
echo "skipped: $*"
exit 77
