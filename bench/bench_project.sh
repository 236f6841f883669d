#!/bin/bash
# Writes the generated benchmark project into a new or empty folder: 2,000
# topics and 50 RTF documents made from the sample help project (or TOPICS
# topics and one document per 40 topics, made the same way). The same bytes
# every time, so builds of it can also be compared byte for byte.
# Usage: bench/bench_project.sh FOLDER [TOPICS]
set -euo pipefail
src=$1
topics=${2:-2000}
samples="$(cd "$(dirname "$0")/../samples/help" && pwd)"
mkdir -p "$src/css"
cp "$samples/source/css/help.css" "$src/css/"

# One process for all files: a process per file takes minutes on a busy machine.
perl - "$samples/source" "$src" "$topics" <<'PERL'
use strict;
use warnings;
my ($samples, $src, $count) = @ARGV;
sub slurp { local $/; open(my $in, '<:raw', $_[0]) or die "$_[0]: $!"; my $text = <$in>; $text }
sub spit { open(my $out, '>:raw', $_[0]) or die "$_[0]: $!"; print $out $_[1]; close $out or die }

# Each topic: a sample topic padded to about 10 KB with tagged paragraphs
# before its </body> line, its first link on each line leading to the next
# topic; every tenth one carries a topic-level tag.
my $filler = '';
for my $i (1 .. 40) {
  my $tag = $i % 4 == 0 ? 'Beta' : 'Web';
  $filler .= "  <p data-buildtags=\"$tag\">Paragraph $i of filler text for the benchmark, long enough to matter.</p>\n";
  $filler .= "  <p>Untagged paragraph $i with a <a href=\"topic" . ($i * 7 % $count) . ".htm\">link</a>.</p>\n";
}
my @topics = map { [split /^/m, slurp($_)] } sort glob("$samples/topics/*.htm");
for my $n (0 .. $count - 1) {
  my $tag = $n % 10 == 0 ? '<meta name="buildtags" content="Beta">' : '';
  my $next = ($n + 1) % $count;
  my $topic = '';
  for my $line (@{$topics[$n % @topics]}) {
    my $copy = $line;
    $copy =~ s|<head>|<head>$tag|;
    $topic .= $filler if $copy =~ m|</body>|;
    $copy =~ s|href="[a-z_]*\.htm"|href="topic$next.htm"|;
    $topic .= $copy;
  }
  spit("$src/topic$n.htm", $topic);
}

# Each RTF document: the sample manual without its closing brace and line
# end, then 400 tagged paragraphs.
my $manual = substr(slurp("$samples/manual.rtf"), 0, -2);
for my $n (1 .. $count / 40) {
  my $rtf = $manual;
  for my $r (1 .. 400) {
    my ($number, $tag) = ($r + 100, $r % 4 == 0 ? 'Beta' : 'Web');
    $rtf .= "\\pard {\\*\\atrfstart $number}Repeated tagged paragraph $r.{\\*\\atrfend $number}"
          . "{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn"
          . "{\\*\\annotation{\\*\\atnref $number}$tag}\\par\n";
  }
  spit("$src/manual$n.rtf", "$rtf}\n");
}
PERL
