#!/usr/bin/perl
# The German words of a list (UTF-8, one a line, on standard input) that the board plays: the
# lower-case ones, and the capitalised ones that are nouns. German writes every noun capitalised,
# as it writes names, so a capitalised word counts as a noun only when the list shows it as one: it
# has a plural or a case ending other than the genitive s (Tisch, Tische; Haus, Häuser), ends as
# nouns do (-ung, -heit, -chen, -er with its genitive ...), or is a compound whose last part is one
# (Kuhstall). Its listed forms come with it, and so do compounds of those forms and the genitives
# of infinitives used as nouns (Einweihens). Names (Theresa, Biarritz, Linux) have none of these
# and stay out, as do abbreviations (words with a capital past the first letter); so do some nouns
# that the list gives no other form of (Pech, Saison), which is the price of that rule.
use strict; use warnings; use utf8;
binmode STDIN, ':encoding(UTF-8)'; binmode STDOUT, ':encoding(UTF-8)';
my (%all, @lower, @caps);
while (my $w = <STDIN>) {
  chomp $w;
  next unless $w =~ /^\p{L}+$/;
  $all{$w} = 1;
  if ($w =~ /^\p{Ll}+$/) { push @lower, $w } elsif ($w =~ /^\p{Lu}\p{Ll}+$/) { push @caps, $w }
}
my @endings = qw(e en n er ern es se sen nen ien);
sub umlauted {
  my ($w) = @_;
  return $1 . 'äu' . $2 if $w =~ /^(.*)au([^aeiouäöü]*)$/;
  return $1 . { a => 'ä', o => 'ö', u => 'ü' }->{$2} . $3 if $w =~ /^(.*)([aou])([^aeiouäöü]*)$/;
  return;
}
sub plural {
  my ($w) = @_;
  for my $s (@endings) { return 1 if $all{ $w . $s } }
  my $u = umlauted($w);
  if (defined $u) { for my $s ('', 'e', 'er', 'en', 'ern') { return 1 if $all{ $u . $s } } }
  return $w =~ /(chen|lein|el|er|en)$/ && $all{ $w . 's' };
}
my $nounEnding = qr/(ismus|tum|heit|keit|ung|schaft|ion|tät|ur|ie|ik|nis|ment|ling|ei|enz|anz)$/;
my %noun = map { $_ => 1 } grep { plural($_) || /$nounEnding/ } @caps;
for my $w (@caps) {
  next if $noun{$w};
  for my $i (3 .. length($w) - 4) {
    if ($noun{ ucfirst(substr($w, $i)) }) { $noun{$w} = 1; last }
  }
}
my %family;
for my $w (keys %noun) {
  $family{$w} = 1;
  for my $s (@endings, 's', 'ns', 'ens') { $family{ $w . $s } = 1 if $all{ $w . $s } }
  my $u = umlauted($w);
  if (defined $u) { for my $s ('', 'e', 'er', 'en', 'ern', 'n') { $family{ $u . $s } = 1 if $all{ $u . $s } } }
}
# Compounds whose last part is a form of a noun (Luftmassen, Regenbögen), and the genitive of an
# infinitive used as a noun (Einweihens).
my %lowerWord = map { $_ => 1 } @lower;
for my $w (@caps) {
  next if $family{$w};
  if ($w =~ /^(.+(en|ern|eln))s$/ && $lowerWord{ lcfirst($1) }) { $family{$w} = 1; next }
  for my $i (3 .. length($w) - 4) {
    if ($family{ ucfirst(substr($w, $i)) }) { $family{$w} = 1; last }
  }
}
print "$_\n" for @lower, sort keys %family;
