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

our @EXPORT_OK = qw($PROGRAM $SCRIPTS slurp spew product make_shop run_script stand_in_mailer customer);

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

# A customer's browser as far as the shop's forms go: the basket cookie the
# shop issued (followed when the shop gives a new one) and the token its
# pages put in every form, and the other cookies it has ("also"). Used as a
# string, it is the basket's cookie.
{
    package TestShop::Customer;
    use overload '""' => sub { "basket=$_[0]{id}" }, fallback => 1;
    sub token {
        my ($self) = @_;
        local @INC = ($SCRIPTS, @INC);
        require ShopBasket;
        return ShopBasket::basket_form_token("$self->{dir}/data", $self->{id});
    }
}

sub customer {
    my ($dir) = @_;
    local @INC = ($SCRIPTS, @INC);
    require ShopBasket;
    return bless { dir => $dir, id => ShopBasket::new_basket_id("$dir/data") }, 'TestShop::Customer';
}

my $calls = 0;

# Runs a script of the shop as a CGI program, from another folder; the
# request is { query, body, cookie }. A cookie given as a customer (or
# "customer => 1" for a new one) sends the basket's cookie (and
# "more_cookies") and, with a body, the form's token unless the body has
# one. Returns the status line's code, the headers as text, the body as
# UTF-8 bytes and what the script wrote to its standard error.
sub run_script {
    my ($dir, $script, $request) = @_;
    my $body = $request->{body};
    my $customer = ref $request->{cookie} ? $request->{cookie} : $request->{customer} ? customer($dir) : undef;
    if ($customer) {
        $request = { %$request, cookie => join '; ', "$customer", grep { defined } $customer->{also}, $request->{more_cookies} // () };
        $body .= ($body eq '' ? '' : '&') . 'token=' . $customer->token
            if defined $body && $body !~ /(?:\A|&)token=/;
    }
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
    $customer->{id} = $1 if $customer && ($head // '') =~ /^Set-Cookie: basket=([0-9a-f]{32});/m;
    unlink $input, $errors;
    return ($status // 0, $head // '', $page // '', $logged);
}

1;
