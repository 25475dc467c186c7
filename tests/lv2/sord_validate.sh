#!/usr/bin/env bash
# The LV2 bundle's turtle files against the LV2 specifications and the schemas
# they use, as Debian's lv2-dev installs them: sord_validate must find nothing.
# Usage: sord_validate.sh <Tessaline.lv2 folder> <the project version>
set -euo pipefail

BUNDLE=$1
mapfile -t schemas < <(dpkg -L lv2-dev | grep '^/usr/lib/lv2/.*\.ttl$' | sort)
[ "${#schemas[@]}" -gt 20 ] || { echo "the LV2 schemas of lv2-dev are missing"; exit 1; }

mapfile -t ours < <(find "$BUNDLE" -maxdepth 1 -name '*.ttl' | sort)
[ "${#ours[@]}" -ge 2 ] || { echo "no turtle files in $BUNDLE"; exit 1; }

# sord_validate prints what it finds and exits non-zero on any error.
out=$(sord_validate "${schemas[@]}" "${ours[@]}" 2>&1) || { echo "$out"; exit 1; }
echo "$out" | tail -1
if echo "$out" | grep -q '^error:'; then echo "$out"; exit 1; fi

# What hosts show of the plugin: its version, licence, maker and program.
grep -q 'doap:revision "'"$2"'"' "$BUNDLE/dsp.ttl" || { echo "dsp.ttl lacks the version $2"; exit 1; }
grep -q 'doap:license <' "$BUNDLE/dsp.ttl" || { echo "dsp.ttl names no licence"; exit 1; }
grep -q "a lv2:FilterPlugin" "$BUNDLE/dsp.ttl" || { echo "dsp.ttl does not call the plugin a filter"; exit 1; }
grep -q 'rdfs:label "1/16"' "$BUNDLE/dsp.ttl" || { echo "dsp.ttl lacks the quantisation's labels"; exit 1; }
grep -q 'rdfs:range atom:Bool' "$BUNDLE/dsp.ttl" || { echo "dsp.ttl has no switches"; exit 1; }
grep -q 'rdfs:label "Default"' "$BUNDLE/manifest.ttl" || { echo "the program has no name"; exit 1; }
