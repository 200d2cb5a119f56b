package TestShop;
# A shop folder with the shipped scripts and the files a test gives, and the
# scripts run in it the way a web server runs CGI programs.
use strict;
use warnings;
use Exporter qw(import);
use File::Basename qw(dirname);
use File::Copy qw(copy);
use File::Path qw(make_path);
use File::Temp qw(tempdir);
use Cwd qw(abs_path);

our @EXPORT_OK = qw($PROGRAM $SCRIPTS slurp spew product make_shop run_script stand_in_mailer);

our $PROGRAM = $ENV{QUAYSTALL_SHARE_PROGRAM} // abs_path(dirname(__FILE__) . '/../../../share/program');
our $SCRIPTS = "$PROGRAM/Apache/cgi-bin/qstldb";

sub slurp {
    my ($path) = @_;
    open(my $fh, '<:raw', $path) or die "$path: $!";
    local $/;
    return scalar <$fh>;
}

sub spew {
    my ($path, $eol, @lines) = @_;
    open(my $fh, '>:raw', $path) or die "$path: $!";
    print $fh map { "$_$eol" } @lines;
    close $fh or die "$path: $!";
}

my @SHOP_DATA_COLUMNS = qw(id path type options custom1 custom2 custom3 unit price custom4 custom5
    custom6 custom7 weight number custom8 custom9 custom10 description picture suppress tax template);

# A shop.data line from named fields.
sub product {
    my (%field) = @_;
    return join '::', map { $field{$_} // '' } @SHOP_DATA_COLUMNS;
}

# A shop folder holding the shipped scripts and modules and the given files
# (name => [lines]); a file given as undef is left out.
sub make_shop {
    my ($files, $eol) = @_;
    my $dir = tempdir(CLEANUP => 1);
    make_path("$dir/data");
    opendir(my $scripts, $SCRIPTS) or die "$SCRIPTS: $!";
    for my $name (grep { /\.p[lm]\z/ } readdir $scripts) {
        copy("$SCRIPTS/$name", "$dir/$name") or die "copy $name: $!";
    }
    for my $name (sort keys %$files) {
        next unless defined $files->{$name};
        make_path(dirname("$dir/$name"));
        spew("$dir/$name", $eol // "\r\n", @{ $files->{$name} });
    }
    return $dir;
}

# A stand-in for the host's mail program: keeps its arguments and every
# message it is given, one after another, in $dir, and ends with $status.
sub stand_in_mailer {
    my ($dir, $status) = @_;
    my $program = "$dir/sendmail";
    spew($program, "\n", '#!/bin/sh', qq{printf '%s\\n' "\$@" > "$dir/arguments"}, qq{cat >> "$dir/message"}, "exit $status");
    chmod 0755, $program;
    return $program;
}

my $calls = 0;

# Runs a script of the shop as a CGI program, from another folder; the
# request is { query, body, cookie }. Returns the status line's code, the
# headers as text, the body as UTF-8 bytes and what the script wrote to its
# standard error.
sub run_script {
    my ($dir, $script, $request) = @_;
    my $body = $request->{body};
    local %ENV = (%ENV, GATEWAY_INTERFACE => 'CGI/1.1', SERVER_PROTOCOL => 'HTTP/1.1',
        SERVER_NAME => 'localhost', SCRIPT_NAME => "/cgi-bin/qstldb/demo-cgi/$script",
        REQUEST_METHOD => defined $body ? 'POST' : 'GET', QUERY_STRING => $request->{query} // '',
        (defined $body ? (CONTENT_LENGTH => length $body,
            CONTENT_TYPE => $request->{type} // 'application/x-www-form-urlencoded') : ()),
        (defined $request->{cookie} ? (HTTP_COOKIE => $request->{cookie}) : ()));
    delete $ENV{HTTP_COOKIE} unless defined $request->{cookie};
    my $call = ++$calls;
    my $errors = "$dir/stderr-$$-$call.txt";
    my $input = "$dir/stdin-$$-$call.txt";
    spew($input, '', $body // '');
    my $command = join ' ', map { "'$_'" } $^X, "$dir/$script";
    my $output = `cd / && $command < '$input' 2> '$errors'`;
    my ($head, $page) = split /\r\n\r\n/, $output, 2;
    my ($status) = ($head // '') =~ /\AStatus: (\d{3})/;
    my $logged = slurp($errors);
    unlink $input, $errors;
    return ($status // 0, $head // '', $page // '', $logged);
}

1;
