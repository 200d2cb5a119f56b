package ShopPayment;
# How the customer pays, as the shop's "paymethod" says:
#   None (or anything else)  the order is placed and paid offline, in the
#                            ways switched on ("yes"): "phoneback" (the shop
#                            telephones for the card details), "snailorder"
#                            (a printed order form posted with a cheque),
#                            "invoice";
#   NetBanx, Secure Trading, WorldPay, QstlPay
#                            the order awaits payment through the service at
#                            "payurl", to which the customer's browser posts
#                            the order's number and amount;
#   Credit Card              the card details, encrypted to the merchant's
#                            key, go in the sales mail; where the shop cannot
#                            encrypt them, or the page came over plain HTTP
#                            (where a card number would cross the internet
#                            readable by anyone on the way), it telephones
#                            instead.
# The words are read without regard to case; the order names the method as
# spelt here.
use strict;
use warnings;
use Exporter qw(import);
use ShopCard qw(card_ready);
use ShopConfig qw(setting_word);
use ShopMoney qw(amount_text);
use ShopRequest qw(secure_request);
use ShopText qw(html);

our @EXPORT_OK = qw(payment payment_words service_form $CARD_SENT);

our $CARD_SENT = 'card details sent encrypted by mail';

my @SERVICES = ('NetBanx', 'Secure Trading', 'WorldPay', 'QstlPay');
my @OFFLINE = (
    [phoneback  => 'We will telephone you for your card details.', 'telephone for the card details'],
    [snailorder => 'You can print an order form to post to us with your cheque.', 'order form by post with a cheque'],
    [invoice    => 'We will send you an invoice.', 'invoice'],
);
my %PHONE_BACK = (phoneback => 1);

# { method (as the order names it), kind ("offline", "service" or "card"),
#   offers => {phoneback, snailorder, invoice} (offline), url and origin
#   (service; undef when payurl is not an http(s) address) }.
sub payment {
    my ($shop) = @_;
    my $settings = $shop->{settings};
    my $word = setting_word($settings, 'paymethod');
    my ($method) = grep { lc $_ eq $word } @SERVICES, 'Credit Card';
    $method //= '';
    if (grep { $_ eq $method } @SERVICES) {
        my ($url, $origin) = ($settings->{payurl} // '') =~ m{\A((https?://[A-Za-z0-9.-]+(?::[0-9]{1,5})?)(?:[/?][^\s"'<>\\]*)?)\z}i;
        return { method => $method, kind => 'service', url => $url, origin => defined $origin ? lc $origin : undef };
    }
    if ($method eq 'Credit Card') {
        return secure_request() && card_ready($shop) ? { method => $method, kind => 'card' }
            : { method => $method, kind => 'offline', offers => \%PHONE_BACK };
    }
    my %offers = map { $_->[0] => 1 } grep { setting_word($settings, $_->[0]) eq 'yes' } @OFFLINE;
    return { method => 'None', kind => 'offline', offers => \%offers };
}

# What the customer is told of paying, and what the order notes of it.
sub payment_words {
    my ($payment) = @_;
    if ($payment->{kind} eq 'service') {
        return ('Online payment is not set up on this shop yet: we will contact you about paying.',
            'Online payment is not set up: contact the customer about paying.') unless defined $payment->{origin};
        return ('When you place your order you go on to our payment service to pay.', '');
    }
    return ('Please give your card details below. They are encrypted before they are sent to us, and never stored.',
        $CARD_SENT) if $payment->{kind} eq 'card';
    my @offered = grep { $payment->{offers}{ $_->[0] } } @OFFLINE;
    return ('We will contact you about paying.', 'No way of paying was offered: contact the customer about paying.')
        unless @offered;
    return (join(' ', map { $_->[1] } @offered), 'Offered to the customer: ' . join '; ', map { $_->[2] } @offered);
}

# The form that takes the customer to the payment service with the order;
# $autosubmit has the page's script send it at once.
sub service_form {
    my ($shop, $payment, $number, $key, $total, $autosubmit) = @_;
    my $settings = $shop->{settings};
    my @fields = (['PPID', $settings->{ppid} // ''], (($settings->{auth} // '') ne '' ? ['AUTH', $settings->{auth}] : ()),
        ['order', $number], ['amount', amount_text($total)], ['currency', uc($settings->{currency} // '')],
        ['return_url', return_address($number, $key)]);
    return '<form class="pay" method="post" action="' . html($payment->{url}) . '"' . ($autosubmit ? ' data-autosubmit' : '')
        . ">\n" . join('', map { '<input type="hidden" name="' . $_->[0] . '" value="' . html($_->[1]) . "\">\n" } @fields)
        . qq{<button type="submit">Continue to payment</button>\n</form>\n};
}

# Where the payment service sends the customer back: this script's own
# absolute address with the order's number and key.
sub return_address {
    my ($number, $key) = @_;
    my $secure = secure_request();
    (my $host = $ENV{SERVER_NAME} // 'localhost') =~ s/[^A-Za-z0-9.-]//g;
    my $port = $ENV{SERVER_PORT} // '';
    $port = $port =~ /\A[0-9]{1,5}\z/ && $port != ($secure ? 443 : 80) ? ":$port" : '';
    (my $path = $ENV{SCRIPT_NAME} // '/Checkout.pl') =~ s{[^A-Za-z0-9/._~%-]}{}g;
    return ($secure ? 'https' : 'http') . "://$host$port$path?paid=$number&key=$key";
}

1;
