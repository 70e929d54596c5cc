# The label-line filter of quorvane-cli written plainly in awk, as a yardstick
# for bench/compare: its map must match ours byte for byte.
#   LC_ALL=C mawk -f bench/label_lines.awk LISTING > MAP
BEGIN {
  RS = "\r\n|\n|\r"
  ORS = "\r\n"
  segment = "C"
}
{
  match_text = toupper($0)
  semicolon = index(match_text, ";")
  if (semicolon) match_text = substr(match_text, 1, semicolon - 1)
  if (index(match_text, ".DSEG")) segment = "D"
  if (index(match_text, ".CSEG")) segment = "C"
  if (index(match_text, ".ESEG")) segment = "E"
  if (index(match_text, ":")) {
    if (segment == "D") dseg[++dsegs] = $0
    else if (segment == "E") eseg[++esegs] = $0
  }
}
END {
  print ".DSEG"
  for (i = 1; i <= dsegs; i++) print dseg[i]
  print ""
  print ".ESEG"
  for (i = 1; i <= esegs; i++) print eseg[i]
  print ""
}
