package ShopMail;
# Mail from the shop: through the host's mail program (given the message on
# its input, the addresses only in the headers), else by SMTP; in the
# program's preview each mail is written into the data folder's outbox
# instead, so that none leaves the merchant's computer. Nothing a customer
# typed can add a header or a recipient.
use strict;
use warnings;
use Encode qw(encode);
use Exporter qw(import);
use MIME::Base64 qw(encode_base64);
use POSIX qw(strftime);
use ShopFiles qw(write_atomically make_folder);
use ShopRandom qw(random_hex);

our @EXPORT_OK = qw(send_mail valid_address);

# One plain address: no blanks, no second address, no line break, no
# display name.
sub valid_address {
    my ($address) = @_;
    return defined $address && length $address <= 254
        && $address =~ /\A[A-Za-z0-9.!#\$%&'*+\/=?^_`{|}~-]+\@[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?(?:\.[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?)+\z/;
}

# A header's text on one line; beyond ASCII, encoded as the mail standard
# says.
sub header_text {
    my ($text) = @_;
    $text //= '';
    $text =~ s/[\r\n\t]+/ /g;
    return $text if $text !~ /[^\x20-\x7E]/;
    return join ' ', map { '=?UTF-8?B?' . encode_base64(encode('UTF-8', $_), '') . '?=' } $text =~ /(.{1,30})/gs;
}

# The message with its headers; lines end in CR LF.
sub message {
    my ($mail, $shop) = @_;
    my ($domain) = $mail->{from} =~ /\@(.*)\z/;
    my @headers = (
        'From: ' . $mail->{from},
        'To: ' . $mail->{to},
        (defined $mail->{reply_to} ? ('Reply-To: ' . $mail->{reply_to}) : ()),
        'Subject: ' . header_text($mail->{subject}),
        'Date: ' . strftime('%a, %d %b %Y %H:%M:%S +0000', gmtime),
        'Message-ID: <' . random_hex(12) . "\@$domain>",
        'MIME-Version: 1.0',
        'Content-Type: text/plain; charset=UTF-8',
        'Content-Transfer-Encoding: 8bit',
    );
    (my $body = encode('UTF-8', $mail->{body} // '')) =~ s/\r?\n/\r\n/g;
    return join("\r\n", @headers) . "\r\n\r\n$body" . ($body =~ /\r\n\z/ ? '' : "\r\n");
}

# Sends { from, to, reply_to, subject, body }. Returns an empty list when
# the mail went, else the reason it did not.
sub send_mail {
    my ($shop, $mail) = @_;
    for my $address (grep { defined } @$mail{qw(from to reply_to)}) {
        return "the address '$address' is not a single plain address" unless valid_address($address);
    }
    my $message = message($mail, $shop);
    return to_outbox($shop->{data}, $message) if ($ENV{QUAYSTALL_PREVIEW} // '') eq '1';
    my $program = $shop->{settings}{mailprogram} // '';
    return $program =~ /\S/ ? through_program($program, $message) : through_smtp($shop->{settings}, $mail, $message);
}

sub to_outbox {
    my ($data, $message) = @_;
    make_folder("$data/outbox") or return 'the outbox folder cannot be made';
    my $name = strftime('%Y%m%d-%H%M%S-', gmtime) . random_hex(4) . '.eml';
    return write_atomically("$data/outbox/$name", $message) ? () : 'the mail cannot be written into the outbox';
}

# The mail program reads the recipients from the headers ("-t"); its path
# and any options come from the shop's settings, never from a customer.
sub through_program {
    my ($setting, $message) = @_;
    my ($program, @options) = split ' ', $setting;
    return "the mail program $program cannot be run" unless $program =~ m{\A/} && -x $program;
    push @options, '-t' unless grep { $_ eq '-t' } @options;
    push @options, '-i' unless grep { $_ eq '-i' || $_ eq '-oi' } @options;
    (my $unix = $message) =~ s/\r\n/\n/g;
    local $SIG{PIPE} = 'IGNORE';
    my $pid = open(my $pipe, '|-');
    return "the mail program cannot be started: $!" unless defined $pid;
    if (!$pid) {
        open(STDOUT, '>', '/dev/null');
        exec { $program } $program, @options;
        exit 127;
    }
    print {$pipe} $unix;
    return close($pipe) ? () : 'the mail program failed (' . ($? >> 8) . ')';
}

sub through_smtp {
    my ($settings, $mail, $message) = @_;
    my $server = $settings->{smtp_server} // '';
    return 'no mail program and no SMTP server are set' unless $server =~ /\A[A-Za-z0-9.:\[\]-]+\z/;
    require Net::SMTP;
    my $hello = ($settings->{web_server} // '') =~ /\A([A-Za-z0-9.-]+)\z/ ? $1 : 'localhost';
    my $smtp = Net::SMTP->new($server, Hello => $hello, Timeout => 30)
        or return "the SMTP server $server does not answer";
    my $sent = $smtp->mail($mail->{from}) && $smtp->to($mail->{to}) && $smtp->data
        && $smtp->datasend($message) && $smtp->dataend;
    my $reply = $smtp->message // '';
    $smtp->quit;
    $reply =~ s/\s+\z//;
    return $sent ? () : "the SMTP server $server refused the mail: $reply";
}

1;
