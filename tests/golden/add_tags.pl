#!/usr/bin/perl
# Gives copies of untagged real documents build tags, in place and the same
# way every time, so that filtering them has something to remove.
#   add_tags.pl elements FILE...   every third paragraph, list item, cell,
#                                  span, div and table of each HTML file
#   add_tags.pl topics FOLDER      the elements of every topic under FOLDER,
#                                  topic-level tags on every fourth topic, and
#                                  every seventh renamed to a capital extension
#   add_tags.pl rtf-ranges FILE... host-style ranges around paragraphs and
#                                  cells of each RTF document
use strict;
use warnings;
use File::Find;

# Tag sets in turn: plain names, a list with a blank, one broken by a line
# end the way a CRLF topic breaks an attribute value.
my @element_tags = ('Web', 'Print', 'Internal', 'Print; Web', "Beta;\r\nWeb");
my @topic_tags = ('Beta,Internal', 'Print, Web', 'Web', 'Print');
my @range_tags = ('Print', 'Web', 'Internal', 'Print;Web', 'Beta');

sub slurp { local $/; open(my $in, '<:raw', $_[0]) or die "$_[0]: $!"; my $text = <$in>; $text }
sub spit { open(my $out, '>:raw', $_[0]) or die "$_[0]: $!"; print $out $_[1]; close $out or die }

# Every third element opening gets a data-buildtags attribute; every fifth
# of those writes the attribute name in capitals, and every sixth follows a
# comment closed the old way, by "--!>".
sub tag_elements {
  my ($html) = @_;
  my @at;  # [start of the tag, end of its name]
  while ($html =~ /<(?:p|li|td|span|div|table)(?=[ >])/gi) { push @at, [$-[0], pos($html)] }
  my $count = 0;
  for (my $i = $#at; $i >= 0; --$i) {
    next unless $i % 3 == 0;
    my $name = ++$count % 5 == 0 ? 'DATA-BUILDTAGS' : 'data-buildtags';
    substr($html, $at[$i][1], 0) = " $name=\"" . $element_tags[int($i / 3) % @element_tags] . '"';
    substr($html, $at[$i][0], 0) = '<!-- tagged below --!>' if $count % 6 == 0;
  }
  return $html;
}

# The topic-level tag goes right after the <head> opening, or first when
# there is none.
sub tag_topic {
  my ($html, $tags) = @_;
  my $meta = "<meta name=\"buildtags\" content=\"$tags\">";
  my $at = index($html, '<head');
  $at = index($html, '<HEAD') if $at < 0;
  $at = index($html, '>', $at) if $at >= 0;
  substr($html, $at < 0 ? 0 : $at + 1, 0) = $meta;
  return $html;
}

sub tag_topics {
  my ($folder) = @_;
  my @topics;
  find({ wanted => sub { push @topics, $File::Find::name if -f && /\.html?$/i }, no_chdir => 1 },
       $folder);
  @topics = sort @topics;
  for my $i (0 .. $#topics) {
    my $html = tag_elements(slurp($topics[$i]));
    $html = tag_topic($html, $topic_tags[int($i / 4) % @topic_tags]) if $i % 4 == 1;
    spit($topics[$i], $html);
    # Old projects write extensions in capitals; links keep lower case.
    rename($topics[$i], $topics[$i] =~ s/(\.html?)$/\U$1/r) or die "$topics[$i]: $!" if $i % 7 == 3;
  }
}

# The paragraph, cell and row words of a document outside destinations, as
# [word start, word end]. Ranges may cross group boundaries, as a word
# processor's selections do.
my %skipped_destination = map { $_ => 1 } qw(fonttbl colortbl stylesheet info pict listtable
                                            listoverridetable);
sub paragraph_words {
  my ($rtf) = @_;
  my (@words, @skipping);
  my ($skip, $group_start) = (0, 0);
  while ($rtf =~ /\G(?:(\{)|(\})|\\([a-z]+)(-?\d+)? ?|\\.|[^{}\\]+)/gcs) {
    my $end = pos($rtf);
    if (defined $1) {
      push @skipping, $skip;
      $skip ||= substr($rtf, $end, 2) eq '\\*';
      $group_start = 1;
      next;
    }
    if (defined $2) {
      $skip = pop(@skipping) // 0;
    } elsif (defined $3) {
      $skip ||= $group_start && $skipped_destination{$3};
      if ($3 eq 'bin' && defined $4) {
        pos($rtf) = $end + $4;
      } elsif (!$skip && ($3 eq 'par' || $3 eq 'cell' || $3 eq 'row')) {
        push @words, [$end - length($&), $end];
      }
    }
    $group_start = 0;
  }
  return @words;
}

# Unit k lies between the ends of words k-1 and k. Every fourth unit from the
# second gets a range around its content, every fourth from the fourth one
# around content and word; every sixteenth from the tenth is also wrapped
# with the next unit in an outer range.
sub add_ranges {
  my ($rtf) = @_;
  my @words = paragraph_words($rtf);
  my @inserts;  # [position, order at the same position, markup]
  my $number = 9000;
  my $wrap = sub {
    my ($from, $to, $inner) = @_;
    my $tags = $range_tags[++$number % @range_tags];
    push @inserts, [$from, $inner ? 3 : 2, "{\\*\\atrfstart $number}"];
    push @inserts, [$to, $inner ? 0 : 1,
                    "{\\*\\atrfend $number}{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}"
                    . "\\chatn{\\*\\annotation{\\*\\atnref $number}$tags}"];
  };
  for my $k (1 .. $#words) {
    my ($from, $to) = ($words[$k - 1][1], $k % 4 == 3 ? $words[$k][1] : $words[$k][0]);
    $wrap->($from, $to, 1) if ($k % 4 == 1 || $k % 4 == 3) && $from < $to;
    $wrap->($from, $words[$k + 1][1], 0) if $k % 16 == 9 && $k < $#words;
  }
  my ($out, $at) = ('', 0);
  for my $insert (sort { $a->[0] <=> $b->[0] || $a->[1] <=> $b->[1] } @inserts) {
    $out .= substr($rtf, $at, $insert->[0] - $at) . $insert->[2];
    $at = $insert->[0];
  }
  return $out . substr($rtf, $at);
}

my $mode = shift @ARGV // '';
if ($mode eq 'elements') {
  spit($_, tag_elements(slurp($_))) for @ARGV;
} elsif ($mode eq 'topics') {
  tag_topics($_) for @ARGV;
} elsif ($mode eq 'rtf-ranges') {
  spit($_, add_ranges(slurp($_))) for @ARGV;
} else {
  die "usage: add_tags.pl elements|topics|rtf-ranges PATH...\n";
}
