# The machine's own package sources, in both of apt's styles: one-line entries
# ("deb [options] URI suite components", in sources.list and sources.list.d/*.list) and
# deb822 stanzas (sources.list.d/*.sources). A machine that reaches Debian through a
# mirror or a proxy of its own names it there, so a suite it lacks is taken from the
# same place. Sourced by scripts/setup.sh; needs nothing but bash and awk.

apt_source_files() {  # etc/apt folder: the files apt reads its sources from, in its order
  local etc=$1 file
  [ -f "$etc/sources.list" ] && echo "$etc/sources.list"
  for file in "$etc"/sources.list.d/*; do
    case $file in *.list | *.sources) [ -f "$file" ] && echo "$file" ;; esac
  done
  return 0
}

# The first enabled source of binary packages for `suite`, written for `new_suite` in
# the same style, with the same address, options and components: a .list line, or a
# .sources stanza. Fails, printing nothing, when there is none (a CD is none: it has
# no other suite).
apt_source_as() {  # etc/apt folder, suite, new suite
  local files
  mapfile -t files < <(apt_source_files "$1")
  [ ${#files[@]} -gt 0 ] || return 1
  awk -v suite="$2" -v new_suite="$3" '
    function found(text) { print text; done = 1; exit }
    function has_word(list, word,    n, i, words) {
      n = split(list, words, /[ \t]+/)
      for (i = 1; i <= n; i++) if (words[i] == word) return 1
      return 0
    }
    # A deb822 stanza ends at a blank line or at the end of its file.
    function end_stanza() {
      if (in_stanza && has_word(types, "deb") && tolower(enabled) != "no" &&
          uris !~ /^[ \t]*cdrom:/ && has_word(suites, suite))
        found("Types: deb" kept "\nSuites: " new_suite)
      in_stanza = 0; types = ""; suites = ""; enabled = ""; uris = ""; kept = ""
    }
    function stanza_line(    name, value) {
      if ($0 ~ /^#/) return
      if ($0 ~ /^[ \t]*$/) { end_stanza(); return }
      in_stanza = 1
      if ($0 ~ /^[ \t]/) {  # a continuation line, such as an inline key
        if (keep) kept = kept "\n" $0
        return
      }
      name = tolower($0); sub(/:.*/, "", name)
      value = $0; sub(/^[^:]*:[ \t]*/, "", value)
      keep = name != "types" && name != "suites" && name != "enabled"
      if (name == "types") types = value
      else if (name == "suites") suites = value
      else if (name == "enabled") enabled = value
      else if (name == "uris") uris = value
      if (keep) kept = kept "\n" $0
    }
    FNR == 1 { end_stanza(); deb822 = FILENAME ~ /\.sources$/ }
    deb822 { stanza_line(); next }
    {
      sub(/#.*/, "")
      if ($1 != "deb") next
      head = "deb"; i = 2
      if ($2 ~ /^\[/) {  # options, which may hold blanks
        while (i < NF && $i !~ /\]$/) head = head " " $(i++)
        head = head " " $(i++)
      }
      if ($i ~ /^cdrom:/ || $(i + 1) != suite) next
      line = head " " $i " " new_suite
      for (j = i + 2; j <= NF; j++) line = line " " $j
      found(line)
    }
    END { if (!done) end_stanza(); exit !done }
  ' "${files[@]}"
}
