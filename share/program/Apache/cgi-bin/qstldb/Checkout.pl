#!/usr/bin/perl
# The checkout: the customer's delivery details, the order's summary with
# its postage and VAT, and the order placed and paid for as the shop says.
#
#   GET  Checkout.pl                          the details form
#   POST Checkout.pl step=details token=T ... the details checked and kept
#   GET  Checkout.pl?step=summary             the summary
#   POST Checkout.pl step=place token=T seen=...
#                                             the order placed (and card_number,
#                                             card_expiry, card_name)
#   GET  Checkout.pl?print=N&key=KEY          the order form to post with a cheque
#   GET  Checkout.pl?paid=N&key=KEY           back from the payment service
#
# Everything the order holds is worked out again from the basket, the
# catalogue and the details kept on the server, never taken from the page.
# A form without the basket's token changes nothing; the basket has a new
# identifier once the details are given and once the order is placed, so
# that an identifier seen before (or planted) leads to nothing of the
# customer's.

use strict;
use warnings;
use Digest::SHA qw(sha256_hex);
use Encode qw(encode);
use FindBin qw($RealBin);
use lib $RealBin;
use ShopAreas qw(read_areas find_area);
use ShopBasket qw(change_basket move_basket);
use ShopCard qw(check_card card_fields encrypt_card);
use ShopCatalogue qw(read_terms);
use ShopContext qw(open_shop basket_lines basket_token genuine_form renew_basket_id);
use ShopCustomers qw(remembers_customers remembered_customer remember_customer forget_customer sweep_customers);
use ShopDetails qw(@DETAILS check_details details_form keep_details kept_details forget_kept);
use ShopFigures qw(figure_pairs);
use ShopFiles qw(with_lock make_folder);
use ShopLimits qw(recent_events note_event);
use ShopMoney qw(pence money_text amount_text);
use ShopOrderMail qw(send_order_mails order_text);
use ShopOrders qw(place_order read_order order_value line_value);
use ShopPage qw(send_shop_page send_failure_page notice);
use ShopPayment qw(payment payment_words service_form $CARD_SENT);
use ShopPricing qw(priced_line);
use ShopRandom qw(random_hex same_token);
use ShopRequest qw(read_request send_redirect cookie_header);
use ShopSummary qw(price_order);
use ShopText qw(html html_text);

my $LAST_ORDER_SECONDS = 7 * 24 * 3600;
# Orders from one client address in a minute: more than a household or an
# office behind one address ever places, few enough that a script cannot
# fill the shop with orders.
our $ORDERS_A_MINUTE = 10;

sub page {
    my ($shop, $status, $content) = @_;
    send_shop_page($shop, $status, 'Checkout', $content);
}

sub back_to_basket { send_redirect('Basket.pl?checkout=empty') }

# What the shop needs of the details: the terms accepted where it has terms,
# a telephone number where it will telephone.
sub needs {
    my ($shop) = @_;
    my $payment = payment($shop);
    return { terms => scalar @{ read_terms($shop->{data}) }, phone => $payment->{offers}{phoneback} };
}

sub details_page {
    my ($shop, $entered, $problem) = @_;
    my $remembered = remembered_customer($shop);
    $entered //= kept_details($shop->{data}, $shop->{basket_id}) // $remembered // {};
    my $offer = { token => basket_token($shop), terms => read_terms($shop->{data}), remember => remembers_customers($shop),
        remembered => defined $entered->{step} ? $entered->{remember} : defined $remembered };
    page($shop, '200 OK', "<h2>Checkout: your details</h2>\n"
        . ($problem && %$problem ? notice('Please put right what is marked below.') : '')
        . details_form(read_areas($shop->{data}), $entered, $problem, $offer));
}

sub details_step {
    my ($shop) = @_;
    my $form = $shop->{request}{form};
    my ($details, $problem) = check_details($form, read_areas($shop->{data}), needs($shop));
    return details_page($shop, $form, $problem) if %$problem;
    my $old = $shop->{basket_id};
    my $new = renew_basket_id($shop);
    return page($shop, '503 Service Unavailable', notice('Sorry, your details could not be kept just now. Please try again in a moment.'))
        unless move_basket($shop->{data}, $old, $new) && keep_details($shop->{data}, $new, $details);
    forget_kept($shop->{data}, $old);
    send_redirect('Checkout.pl?step=summary', @{ $shop->{headers} },
        $form->{remember} ? remember_customer($shop, $details) : forget_customer($shop));
}

# The order as it would be placed now: the basket's lines priced, the
# charges to the kept details' area, the payment, and a fingerprint of all
# the customer sees of them.
sub work_out {
    my ($shop, $details) = @_;
    my @priced = map { priced_line($shop, $_) } @{ basket_lines($shop) };
    my @lines = grep { !defined $_->{gone} } @priced;
    my $area = find_area(read_areas($shop->{data}), $details->{area});
    my $checkout = { details => $details, priced => \@priced, lines => \@lines, payment => payment($shop),
        charges => price_order($shop, \@lines, $area) };
    $checkout->{seen} = sha256_hex(encode('UTF-8', join "\n",
        (map { join "\t", $_->{product}, $_->{quantity}, $_->{type}, (map { @$_ } @{ $_->{choices} }), $_->{total} // $_->{gone} }
            @priced),
        (map { join "\t", @$_ } @{ $checkout->{charges}{rows} }), @$details{@DETAILS}, $checkout->{payment}{kind}));
    return $checkout;
}

# The details kept for this basket and what the shop would no longer take
# of them (an area since removed, say); undef when none are kept.
sub kept {
    my ($shop) = @_;
    my $details = kept_details($shop->{data}, $shop->{basket_id}) // return ();
    my (undef, $problem) = check_details($details, read_areas($shop->{data}), { %{ needs($shop) }, terms => 0 });
    return ($details, $problem);
}

sub choices_text {
    my ($line) = @_;
    return join '; ', map { "$_->[0]: $_->[1]" } @{ $line->{choices} };
}

sub summary_html {
    my ($shop, $checkout, $card, $card_problem) = @_;
    my $currency = $shop->{settings}{currency};
    my $money = sub { html(money_text($_[0], $currency)) };
    my $rows = '';
    for my $line (@{ $checkout->{priced} }) {
        my $what = join '; ', grep { $_ ne '' } ($line->{type} ne '' ? "Type: $line->{type}" : ''), choices_text($line);
        $rows .= '<tr class="line' . (defined $line->{gone} ? ' unavailable' : '') . '"><td>'
            . html($line->{name} // 'A product no longer in the shop')
            . ($what ne '' ? '<div class="choices">' . html($what) . '</div>' : '') . '</td><td>' . html($line->{quantity}) . '</td>'
            . (defined $line->{gone} ? '<td></td><td class="money">' . html("$line->{gone}: left out") . '</td>'
                : '<td class="money">' . $money->($line->{price}) . '</td><td class="money">' . $money->($line->{total}) . '</td>')
            . "</tr>\n";
    }
    my $charges = $checkout->{charges};
    my $figures = join '', map { '<tr class="figure"><td colspan="3">' . html($_->[0]) . '</td><td class="money">'
        . $money->($_->[1]) . "</td></tr>\n" } @{ $charges->{rows} };
    my $details = $checkout->{details};
    my ($words) = payment_words($checkout->{payment});
    my $html = "<h2>Checkout: your order</h2>\n";
    $html .= notice('Some products in your basket can no longer be bought as chosen: they are left out of your order.')
        if @{ $checkout->{lines} } < @{ $checkout->{priced} };
    $html .= qq{<table class="basket summary">\n<thead><tr><th>Product</th><th>Quantity</th><th class="money">Price</th>}
        . qq{<th class="money">Total</th></tr></thead>\n<tbody>\n$rows</tbody>\n<tfoot>\n$figures</tfoot>\n</table>\n}
        . qq{<div class="delivery"><h3>Delivery to</h3><p>} . html($details->{name}) . '<br>'
        . join('<br>', map { html($_) } split /\n/, $details->{address}) . '<br>' . html($details->{postcode})
        . ($details->{postcode} ne '' ? '<br>' : '') . html($details->{area}) . '</p><p>' . html($details->{email})
        . ($details->{phone} ne '' ? '<br>' . html($details->{phone}) : '') . "</p></div>\n"
        . '<div class="paying"><h3>Payment</h3><p>' . html($words) . "</p></div>\n";
    return $html . notice($charges->{problem}) . '<p><a href="Checkout.pl">Change your details</a></p>' if $charges->{problem};
    return $html . notice('There is nothing in your basket that can be ordered.') . '<p><a href="Basket.pl">Back to your basket</a></p>'
        unless @{ $checkout->{lines} };
    return $html . qq{<form class="checkout" method="post" action="Checkout.pl">\n<input type="hidden" name="step" value="place">\n}
        . '<input type="hidden" name="token" value="' . html(basket_token($shop)) . "\">\n"
        . '<input type="hidden" name="seen" value="' . html($checkout->{seen}) . "\">\n"
        . ($checkout->{payment}{kind} eq 'card' ? card_fields($card // {}, $card_problem // {}) : '')
        . qq{<div class="checkout-actions"><a href="Checkout.pl">Change your details</a><button type="submit">Place order</button></div>\n}
        . "</form>\n";
}

sub summary_page {
    my ($shop) = @_;
    return back_to_basket() unless @{ basket_lines($shop) };
    my ($details, $problem) = kept($shop);
    return send_redirect('Checkout.pl') unless $details;
    return details_page($shop, $details, $problem) if %$problem;
    page($shop, '200 OK', summary_html($shop, work_out($shop, $details)));
}

# Places the order under the checkout's lock, so that a form sent twice
# finds the basket empty the second time. Returns what to show: ['empty'],
# ['details', details, problems], ['summary', checkout, word, card, card
# problems], ['failed'], or ['placed', number, key, sealed card details].
sub place {
    my ($shop, $form) = @_;
    delete $shop->{basket};
    return ['empty'] unless @{ basket_lines($shop) };
    my ($details, $problem) = kept($shop);
    return ['details', $details, $problem] if !$details || %$problem;
    my $checkout = work_out($shop, $details);
    return ['summary', $checkout, 'Your order has changed since you last saw it: please check it and place it again.']
        unless ($form->{seen} // '') eq $checkout->{seen};
    return ['summary', $checkout] if $checkout->{charges}{problem} || !@{ $checkout->{lines} };
    my $sealed;
    if ($checkout->{payment}{kind} eq 'card') {
        my ($card, $card_problem) = check_card($form);
        return ['summary', $checkout, 'Please check your card details.', $form, $card_problem] if %$card_problem;
        $sealed = encrypt_card($shop, $card)
            // return ['summary', $checkout, 'Sorry, your card details could not be taken just now. Please try again in a moment.', $form];
    }
    my $key = random_hex(16);
    my $number = place_order($shop->{data}, order_pairs($shop, $checkout, $key)) // return ['failed'];
    # The order is whole: what led to it goes.
    change_basket($shop->{data}, $shop->{basket_id}, sub { @{ $_[0] } = () });
    delete $shop->{basket};
    forget_kept($shop->{data}, $shop->{basket_id});
    return ['placed', $number, $key, $sealed];
}

sub order_pairs {
    my ($shop, $checkout, $key) = @_;
    my $charges = $checkout->{charges};
    my $payment = $checkout->{payment};
    my (undef, $note) = payment_words($payment);
    return [['status', $payment->{kind} eq 'service' ? 'awaiting payment' : 'new'], ['payment', $payment->{method}],
        (map { [$_, $checkout->{details}{$_}] } @DETAILS), ['currency', $shop->{settings}{currency} // ''],
        (map { [$_, amount_text($charges->{$_})] } qw(subtotal postage vat)), ['vatmode', $charges->{vatmode}],
        ['total', amount_text($charges->{total})], figure_pairs($charges->{rows}),
        (map { ['line', line_value($_->{quantity}, $_->{number}, $_->{name}, $_->{type}, choices_text($_), amount_text($_->{total}))] }
            @{ $checkout->{lines} }),
        ['note', $note], ['key', $key]];
}

sub place_step {
    my ($shop) = @_;
    my $form = $shop->{request}{form};
    return already_placed($shop) unless @{ basket_lines($shop) };
    # Counted before the checkout's lock, which every order waits for: a
    # try counts whether or not it becomes an order.
    my $address = $ENV{REMOTE_ADDR} // '';
    return page($shop, '429 Too Many Requests', notice('Sorry, the shop has taken as many orders from your address '
        . 'as it takes in a minute. Your basket is kept: please try again in a minute.'))
        if recent_events($shop->{data}, 'order', $address, 60) >= $ORDERS_A_MINUTE;
    note_event($shop->{data}, 'order', $address);
    make_folder("$shop->{data}/locks") or return page($shop, '503 Service Unavailable', notice(
        'Sorry, your order could not be placed just now. Your basket is kept: please try again in a moment.'));
    my ($outcome, @what) = @{ with_lock("$shop->{data}/locks/checkout", sub { place($shop, $form) }) // ['failed'] };
    return already_placed($shop) if $outcome eq 'empty';
    if ($outcome eq 'details') {
        my ($details, $problem) = @what;
        return $details ? details_page($shop, $details, $problem) : send_redirect('Checkout.pl');
    }
    if ($outcome eq 'summary') {
        my ($checkout, $word, $card, $problem) = @what;
        return page($shop, '200 OK', (defined $word ? notice($word) : '') . summary_html($shop, $checkout, $card, $problem));
    }
    return page($shop, '503 Service Unavailable', notice(
        'Sorry, your order could not be placed just now. Your basket is kept: please try again in a moment.'))
        if $outcome eq 'failed';
    my ($number, $key, $sealed) = @what;
    renew_basket_id($shop);
    push @{ $shop->{headers} }, cookie_header('last_order', "$number-$key", $LAST_ORDER_SECONDS);
    send_order_mails($shop, $number, defined $sealed ? "Card details, encrypted to your key:\n\n$sealed" : undef);
    my $order = read_order($shop->{data}, $number);
    my ($steps, @targets) = next_steps($shop, $order, $key, 1);
    my $confirmation = order_value($order, 'mail_customer') eq 'sent'
        ? 'We have sent a confirmation to ' . html(order_value($order, 'email')) . '.' : 'We have received your order.';
    send_shop_page($shop, '200 OK', 'Thank you', "<h2>Thank you for your order</h2>\n<p class=\"order-number\">Order number: " . html($number) . "</p>\n"
        . "<p>$confirmation</p>\n$steps", undef, @targets);
}

# A customer's own order, by its number and the key only they were given;
# undef for any other.
sub own_order {
    my ($shop, $number, $key) = @_;
    my $order = read_order($shop->{data}, $number) // return undef;
    return same_token($key, order_value($order, 'key')) ? $order : undef;
}

sub last_order {
    my ($shop) = @_;
    my ($number, $key) = ($shop->{request}{cookies}{last_order} // '') =~ /\A([1-9][0-9]{0,17})-([0-9a-f]{32})\z/;
    return defined $number ? (own_order($shop, $number, $key), $key) : ();
}

# What happens next with the order's payment, as HTML, and the payment
# service's address when the page sends the customer there; $fresh when the
# order has just been placed.
sub next_steps {
    my ($shop, $order, $key, $fresh) = @_;
    my $method = order_value($order, 'payment');
    my $payment = payment($shop);
    my $number = $order->{number};
    if ($payment->{kind} eq 'service' && $payment->{method} eq $method) {
        return '<p>' . html((payment_words($payment))[0]) . "</p>\n" unless defined $payment->{origin};
        return '' unless order_value($order, 'status') eq 'awaiting payment';
        return ("<p>Please pay for your order with our payment service.</p>\n"
            . service_form($shop, $payment, $number, $key, pence(order_value($order, 'total')) // 0, $fresh), $payment->{origin});
    }
    if ($method eq 'Credit Card' && order_value($order, 'note') eq $CARD_SENT) {
        return order_value($order, 'mail_sales') eq 'sent'
            ? "<p>Your card details have been sent to us encrypted. We will charge your card when we deal with your order.</p>\n"
            : "<p>We will telephone you for your card details.</p>\n";
    }
    my ($words) = payment_words($payment->{kind} eq 'offline' ? $payment : { kind => 'offline', offers => {} });
    my $print = $payment->{offers}{snailorder}
        ? '<p><a href="Checkout.pl?print=' . html($number) . '&amp;key=' . html($key) . "\">Print your order form</a></p>\n" : '';
    return '<p>' . html($words) . "</p>\n$print";
}

sub already_placed {
    my ($shop) = @_;
    my ($order, $key) = last_order($shop);
    my $content = "<h2>Checkout</h2>\n" . notice('Your basket is empty, so no further order has been placed.');
    return page($shop, '200 OK', $content . '<p><a href="Catalogue.pl">Continue shopping</a></p>') unless $order;
    my ($steps, @targets) = next_steps($shop, $order, $key, 0);
    send_shop_page($shop, '200 OK', 'Checkout', $content . "<p>Your order has been placed.</p>\n"
        . '<p class="order-number">Order number: ' . html($order->{number}) . "</p>\n$steps", undef, @targets);
}

sub stale_form {
    my ($shop) = @_;
    page($shop, '403 Forbidden', "<h2>Checkout</h2>\n" . notice('Sorry, that form did not come from your basket in this shop, '
        . 'so nothing was changed.') . '<p><a href="Checkout.pl">Go on to the checkout</a> or <a href="Basket.pl">back to your basket</a></p>');
}

sub not_found { page($_[0], '404 Not Found', notice('Sorry, that order could not be found.')) }

sub print_page {
    my ($shop, $query) = @_;
    my $order = own_order($shop, $query->{print}, $query->{key}) // return not_found($shop);
    my $settings = $shop->{settings};
    my $company = ($settings->{company} // '') =~ /\S/ ? $settings->{company} : '';
    my $payee = ($settings->{chequename} // '') =~ /\S/ ? $settings->{chequename} : $company;
    page($shop, '200 OK', "<h2>Order form</h2>\n<p>Please print this form and post it with your cheque to:</p>\n<address>"
        . join('<br>', grep { $_ ne '' } html($company), html_text($settings->{merc_address} // '')) . "</address>\n"
        . ($payee ne '' ? '<p>Please make your cheque payable to <strong>' . html($payee) . "</strong>.</p>\n" : '')
        . '<pre class="order-text">' . html(order_text($order)) . "</pre>\n"
        . qq{<p><button type="button" class="print" data-print>Print this form</button></p>\n});
}

sub paid_page {
    my ($shop, $query) = @_;
    my $order = own_order($shop, $query->{paid}, $query->{key}) // return not_found($shop);
    page($shop, '200 OK', "<h2>Thank you</h2>\n<p class=\"order-number\">Order number: " . html($order->{number}) . "</p>\n"
        . "<p>We will confirm your payment as soon as our payment service tells us of it.</p>\n"
        . '<p><a href="Catalogue.pl">Continue shopping</a></p>');
}

sub answer {
    my $request = read_request();
    my $shop = open_shop($RealBin, $request);
    my $query = $request->{query};
    # A payment service may send the customer back with a form of its own.
    return paid_page($shop, $query) if defined $query->{paid};
    return page($shop, '400 Bad Request', notice($request->{problem})) if $request->{problem};
    sweep_customers($shop);
    return print_page($shop, $query) if defined $query->{print};
    if ($request->{method} eq 'POST') {
        return stale_form($shop) unless genuine_form($shop);
        my $step = $request->{form}{step} // '';
        return place_step($shop) if $step eq 'place';
        return page($shop, '400 Bad Request', notice('Sorry, the shop could not read that request.')) unless $step eq 'details';
        return back_to_basket() unless @{ basket_lines($shop) };
        return details_step($shop);
    }
    return summary_page($shop) if ($query->{step} // '') eq 'summary';
    return back_to_basket() unless @{ basket_lines($shop) };
    details_page($shop);
}

eval { answer(); 1 } or send_failure_page($@);
exit 0;
