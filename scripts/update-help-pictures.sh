#!/usr/bin/env bash
# Redraws the pictures of the help pages (help/img/) with the built
# `tallix-cli snapshot`, the f(x) ones from scripts/help-pictures.ini.
# Run after a change that shows in the window, then look at them and commit.
# Usage: scripts/update-help-pictures.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build}/app/tallix-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" snapshot --ini scripts/help-pictures.ini "$work/modes"
"$cli" snapshot --calc-demo "$work/demo"
cp "$work/demo/calc-demo.png" help/img/calc.png
for name in fx graph matrix history verify listedit details evalfx defint; do
    cp "$work/modes/$name.png" help/img/
done
# The Lists and Regr modes with sample lists and a fit.
cp "$work/modes/lists-demo.png" help/img/lists.png
cp "$work/modes/regr-demo.png" help/img/regr.png
cp "$work/modes/regr-demo.png" docs/regr.png
