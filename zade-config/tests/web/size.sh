#!/usr/bin/env bash
# The page's files together are at most LIMIT bytes:
#   size.sh PAGE_DIR LIMIT
set -euo pipefail
total=$(cat "$1"/* | wc -c)
echo "the page: $total bytes in $(ls "$1" | xargs), at most $2"
((total <= $2))
