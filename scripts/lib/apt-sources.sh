# The Debian archive this machine already uses, read from its own apt configuration, so
# that no script names an archive host.  Sourced, not run.

# The enabled "deb" entries of this machine, one "URI SUITE COMPONENTS..." a line, from
# both the one-line format (sources.list, *.list) and the deb822 format (*.sources).
apt_deb_entries() {
    local dir
    dir="$(apt-config shell D Dir::Etc::sourceparts/d | sed "s/^D='\(.*\)'$/\1/")"
    [ -n "$dir" ] || dir=/etc/apt/sources.list.d
    {
        cat /etc/apt/sources.list 2>/dev/null || true
        cat "$dir"/*.list 2>/dev/null || true
    } | sed -n 's/^deb\( \[[^]]*\]\)\{0,1\} \+//p'
    local f
    for f in "$dir"/*.sources; do
        [ -f "$f" ] || continue
        # One stanza per paragraph; an entry lists every URI with every suite.
        awk '
            function flush() {
                if (types ~ /(^| )deb( |$)/ && enabled != "no")
                    for (i = 1; i <= nu; i++) for (j = 1; j <= ns; j++)
                        print u[i], s[j], comps
                types = ""; enabled = ""; comps = ""; nu = 0; ns = 0
            }
            /^[ \t]*#/ { next }
            /^[ \t]*$/ { flush(); next }
            tolower($1) == "types:" { types = substr($0, index($0, ":") + 1) }
            tolower($1) == "enabled:" { enabled = tolower($2) }
            tolower($1) == "uris:" { for (k = 2; k <= NF; k++) u[++nu] = $k }
            tolower($1) == "suites:" { for (k = 2; k <= NF; k++) s[++ns] = $k }
            tolower($1) == "components:" { comps = substr($0, index($0, ":") + 2) }
            END { flush() }' "$f"
    done
}

# The archive of Debian's main suites: the URI of the first entry that has a suite
# "bookworm" (or any, if none does) and is not a security one.
debian_mirror() {
    apt_deb_entries | awk '$1 !~ /security/ && $2 !~ /-(security|updates|backports)$/ { print $1; exit }'
}

# The security archive, if the machine follows one.
debian_security_mirror() {
    apt_deb_entries | awk '$2 ~ /-security$/ { print $1; exit }'
}

# apt-get source needs "deb-src" entries; add the source twins of this machine's Debian
# entries (same archives, suites, components and keys) and update.
ensure_source_lists() {
    local dir f out
    dir="$(apt-config shell D Dir::Etc::sourceparts/d | sed "s/^D='\(.*\)'$/\1/")"
    [ -n "$dir" ] || dir=/etc/apt/sources.list.d
    # One-line format: the same line with its options, as deb-src.
    out="$({ cat /etc/apt/sources.list 2>/dev/null || true
             for f in "$dir"/*.list; do if [ -f "$f" ]; then cat "$f"; fi; done; } |
           sed -n 's/^deb\(\s.*debian.*\)$/deb-src\1/p')"
    if [ -n "$out" ]; then
        echo "$out" | as_root tee "$dir/progmz515-deb-src.list" >/dev/null
    fi
    # deb822 format: each stanza of type deb on a Debian archive, as type deb-src.
    out="$(for f in "$dir"/*.sources; do
               [ -f "$f" ] && [ "$(basename "$f")" != progmz515-deb-src.sources ] || continue
               awk 'BEGIN { RS = ""; ORS = "\n\n" }
                    /(^|\n)Types:[^\n]*(^|[ \t])deb([ \t]|\n|$)/ && /(^|\n)URIs:[^\n]*debian/ {
                        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f"
           done)"
    if [ -n "$out" ]; then
        echo "$out" | as_root tee "$dir/progmz515-deb-src.sources" >/dev/null
    fi
    as_root apt-get update
}
