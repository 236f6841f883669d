#!/bin/bash
# Writes one large generated HTML topic: a help topic's head, then sections
# of ordinary content (headings, paragraphs with inline markup and links,
# lists, tables, popup texts and the links that show them) repeated until
# the file holds at least MEGABYTES megabytes. Every section, about 10 KB,
# carries eight elements with inline build tags (Web, Internal, Print and
# Beta in turn: paragraphs, list items, table cells and rows, a block and a
# popup link), so
# "NOT Web AND NOT Internal" removes half of them. The same bytes every time.
# Usage: bench/large_topic.sh FILE [MEGABYTES]   (default 40)
set -euo pipefail
perl - "$1" "${2:-40}" <<'PERL'
use strict;
use warnings;
my ($file, $megabytes) = @ARGV;
my @tags = ('Web', 'Internal', 'Print', 'Beta');
my $head = "<!DOCTYPE html>\n<html>\n<head>\n  <meta charset=\"utf-8\">\n"
         . "  <title>A large topic</title>\n  <link rel=\"stylesheet\" href=\"css/help.css\">\n"
         . "</head>\n<body>\n";
sub section {
  my ($n) = @_;
  my $t = sub { $tags[($n + $_[0]) % 4] };
  my $words = "Plain words of a help topic, with <b>bold</b>, <i>italic</i> and <code>code</code> "
            . "text and a <a href=\"topic" . ($n % 97) . ".htm\">link to another topic</a>.";
  return <<"HTML";
  <h2 id="s$n">Section $n</h2>
  <p>$words</p>
  <p data-buildtags="@{[$t->(0)]}">$words Only some outputs show this paragraph.</p>
  <div class="note" data-buildtags="@{[$t->(1)]}">
    <p>A note of several paragraphs.</p>
    <p>$words</p>
  </div>
  <ul>
    <li>First entry of a list, <a href="#s$n">back to the section</a></li>
    <li data-buildtags="@{[$t->(2)]}">A tagged entry with <em>emphasis</em></li>
    <li>Third entry<ul><li>nested one</li><li data-buildtags="@{[$t->(3)]}">nested tagged</li></ul></li>
  </ul>
  <table class="grid">
    <tr><th>Setting</th><th>Meaning</th></tr>
    <tr><td>Width</td><td data-buildtags="@{[$t->(0)]}">How wide the &quot;page&quot; is</td></tr>
    <tr data-buildtags="@{[$t->(1)]}"><td>Height</td><td>How tall it is</td></tr>
  </table>
  <p>See the <a class="popup" id="pl$n" x-use-popup="#pt$n" x-popup-type="text" href="javascript:void(0)" data-buildtags="@{[$t->(2)]}">term</a> and $words</p>
  <div class="x-popup-text" id="pt$n">The term explained &amp; more.</div>
  <p data-buildtags="@{[$t->(3)]}">$words</p>
@{[join '', map { "  <p>Paragraph $_ of the section. $words</p>\n" } 1 .. 28]}  <table class="grid">
@{[join '', map { "    <tr><td>Row $_</td><td>A value</td><td><a href=\"topic$_.htm\">more</a></td></tr>\n" } 1 .. 12]}  </table>
HTML
}
open(my $out, '>:raw', $file) or die "$file: $!";
print $out $head;
my $size = length $head;
for (my $n = 0; $size < $megabytes * 1024 * 1024; ++$n) {
  my $section = section($n);
  print $out $section;
  $size += length $section;
}
print $out "</body>\n</html>\n";
close $out or die;
PERL
