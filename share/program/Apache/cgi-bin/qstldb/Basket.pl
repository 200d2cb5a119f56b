#!/usr/bin/perl
# The customer's basket: what was chosen, priced from the catalogue as it
# stands, with the quantities to change and lines to remove.
#
#   GET  Basket.pl                                   the basket page
#   POST Basket.pl action=add token=T product=ID type=NAME qty=N opt1=... opt2=...
#   POST Basket.pl action=update token=T qty_1=N ... [remove=LINE] [checkout=1]
#
# Changes answer with a redirect to the basket page, so that reloading it
# never adds a product twice. A change without the basket's form token
# changes nothing.

use strict;
use warnings;
# The scripts' own folder, holding their modules and settings; a script
# reached through a link looks beside the file it links to.
my $RealBin;
BEGIN {
    my $file = __FILE__;
    if (-l $file) { require Cwd; $file = Cwd::abs_path($file) // $file }
    ($RealBin) = $file =~ m{\A(.*)/} or $RealBin = '.';
    unshift @INC, $RealBin;
}
use ShopBasket qw(change_basket add_line same_choice $MAX_QUANTITY $MAX_LINES $KEEP_SECONDS);
use ShopCatalogue qw(type_names);
use ShopConfig qw(setting_word);
use ShopContext qw(open_shop basket_lines basket_token genuine_form);
use ShopMoney qw(money_text);
use ShopPage qw(send_shop_page send_failure_page notice);
use ShopPricing qw(find_product priced_line);
use ShopProduct qw(unit_price type_index product_options order_form);
use ShopRequest qw(read_request send_redirect cookie_header);
use ShopText qw(html url_encode);

# The line the form asks for, or the reason it cannot be added.
sub line_from_form {
    my ($shop, $product, $form) = @_;
    my @types = type_names($product);
    my $type = type_index($product, $form->{type});
    return (undef, 'Please choose a type.') if !defined $type || @types > 1 && ($form->{type} // '') eq '';
    return (undef, 'Sorry, this product has no price: please contact us to order it.')
        unless defined unit_price($shop, $product, $type);
    my @choices;
    my $number = 0;
    for my $option (@{ product_options($shop, $product) }) {
        my $chosen = $form->{ 'opt' . ++$number } // '';
        return (undef, "Please choose a $option->{name}.") unless grep { $_ eq $chosen } @{ $option->{variations} };
        push @choices, [ $option->{name}, $chosen ];
    }
    my $quantity = $form->{qty} // '';
    return (undef, "Please enter a quantity from 1 to $MAX_QUANTITY.")
        unless $quantity =~ /\A\s*([0-9]{1,3})\s*\z/ && $1 >= 1;
    return ({ product => $product->{id}, quantity => $1 + 0, type => $types[$type] // '', choices => \@choices });
}

sub add_to_basket {
    my ($shop, $form) = @_;
    my $product = find_product($shop, $form->{product});
    return page($shop, '404 Not Found', notice('Sorry, that product could not be found.')) unless $product;
    my ($line, $problem) = line_from_form($shop, $product, $form);
    my $lines = basket_lines($shop);
    my ($same) = $problem ? () : grep { same_choice($_, $line) } @$lines;
    $problem = "Sorry, a basket holds at most $MAX_LINES lines: please place this order first."
        if !$problem && !$same && @$lines >= $MAX_LINES;
    $problem = too_many($same->{quantity}) if $same && $same->{quantity} + $line->{quantity} > $MAX_QUANTITY;
    if ($problem) {
        my $type = type_index($product, $form->{type}) // 0;
        return page($shop, '200 OK', '<h2>' . html($product->{name}) . "</h2>\n"
            . order_form($shop, $product, $type, $form, $problem));
    }
    return save_and_show($shop, sub { add_line($_[0], $line) });
}

# Why a line that already holds $held cannot take what was asked for.
sub too_many {
    my ($held) = @_;
    my $room = $MAX_QUANTITY - $held;
    return "Your basket already holds $held of these, and a line holds at most $MAX_QUANTITY: "
        . ($room ? "please add at most $room more." : 'please place this order before adding more.');
}

sub update_basket {
    my ($shop, $form) = @_;
    my $remove = $form->{remove} // '';
    return basket_page($shop, '200 OK', "A line holds at most $MAX_QUANTITY: please enter a quantity from 0 to "
        . "$MAX_QUANTITY. Your basket is as it was.")
        if grep { /\Aqty_[0-9]+\z/ && $form->{$_} =~ /\A\s*[0-9]+\s*\z/ && $form->{$_} > $MAX_QUANTITY } keys %$form;
    my $change = sub {
        my ($lines) = @_;
        for my $number (1 .. @$lines) {
            my $quantity = $form->{"qty_$number"};
            next unless defined $quantity && $quantity =~ /\A\s*([0-9]{1,3})\s*\z/;
            $lines->[ $number - 1 ]{quantity} = $1 + 0;
        }
        $lines->[ $remove - 1 ]{quantity} = 0 if $remove =~ /\A[0-9]{1,3}\z/ && $remove >= 1 && $remove <= @$lines;
        @$lines = grep { $_->{quantity} > 0 } @$lines;
    };
    return save_and_show($shop, $change, ($form->{checkout} && -e "$RealBin/Checkout.pl") ? 'Checkout.pl' : 'Basket.pl');
}

sub save_and_show {
    my ($shop, $change, $next) = @_;
    my $id = $shop->{basket_id};
    my $saved = change_basket($shop->{data}, $id, $change);
    return page($shop, '503 Service Unavailable', notice('Sorry, the shop cannot take any more baskets just now. '
        . 'Please try again later, or contact us to order.')) if $saved eq 'full';
    return page($shop, '503 Service Unavailable',
        notice('Sorry, your basket could not be saved just now. Please try again in a moment.')) unless $saved;
    send_redirect($next // 'Basket.pl', cookie_header('basket', $id, $KEEP_SECONDS));
}

sub choices_text {
    my ($line) = @_;
    my @parts = (($line->{type} ne '' ? ("Type: $line->{type}") : ()), map { "$_->[0]: $_->[1]" } @{ $line->{choices} });
    return @parts ? '<div class="choices">' . html(join '; ', @parts) . '</div>' : '';
}

sub vat_note {
    my ($shop) = @_;
    my $action = setting_word($shop->{settings}, 'taxaction');
    return $action eq 'ignore' ? '' : $action eq 'include' ? 'Prices include VAT.' : 'Prices are shown without VAT.';
}

# The basket page; $status and $word when a change was refused.
sub basket_page {
    my ($shop, $status, $word) = @_;
    $status //= '200 OK';
    my $refusal = defined $word ? notice($word) : '';
    my @lines = map { priced_line($shop, $_) } @{ basket_lines($shop) };
    my $empty = ($shop->{request}{query}{checkout} // '') eq 'empty'
        ? 'Your basket is empty, so there is nothing to check out yet.' : 'Your basket is empty.';
    return page($shop, $status, "<h2>Your basket</h2>\n$refusal" . notice($empty)
        . '<p><a href="Catalogue.pl">Continue shopping</a></p>') unless @lines;
    my $currency = $shop->{settings}{currency};
    my ($subtotal, $rows, $number) = (0, '', 0);
    for my $line (@lines) {
        $number++;
        my $name = html($line->{name} // 'A product no longer in the shop');
        $name = '<a href="Catalogue.pl?product=' . html(url_encode($line->{product})) . "\">$name</a>" if defined $line->{name};
        my ($price, $total) = defined $line->{gone} ? ('', html($line->{gone}))
            : (html(money_text($line->{price}, $currency)), html(money_text($line->{total}, $currency)));
        $subtotal += $line->{total} // 0;
        $rows .= '<tr class="line' . (defined $line->{gone} ? ' unavailable' : '') . "\"><td>$name" . choices_text($line)
            . qq{</td><td class="money">$price</td><td><input type="number" name="qty_} . html($number) . '" min="0" max="'
            . html($MAX_QUANTITY) . '" value="' . html($line->{quantity}) . qq{" aria-label="Quantity"></td><td class="money">$total</td>}
            . '<td><button type="submit" class="remove" name="remove" value="' . html($number) . qq{">Remove</button></td></tr>\n};
    }
    my $checkout = -e "$RealBin/Checkout.pl"
        ? '<button type="submit" name="checkout" value="1">Checkout</button>' : '';
    my $note = vat_note($shop);
    return page($shop, $status, "<h2>Your basket</h2>\n$refusal"
        . qq{<form method="post" action="Basket.pl"><input type="hidden" name="action" value="update">}
        . '<input type="hidden" name="token" value="' . html(basket_token($shop)) . '">'
        . qq{<button type="submit" name="update" value="1" class="default-action" tabindex="-1" aria-hidden="true" style="position:absolute;left:-9999px"></button>\n}
        . qq{<table class="basket">\n<thead><tr><th>Product</th><th class="money">Price</th><th>Quantity</th>}
        . qq{<th class="money">Total</th><th><span class="hidden-label">Remove</span></th></tr></thead>\n<tbody>\n$rows</tbody>\n}
        . '<tfoot><tr><th colspan="3" scope="row">Subtotal</th><td class="money" id="subtotal">' . html(money_text($subtotal, $currency))
        . "</td><td></td></tr></tfoot>\n</table>\n" . ($note ne '' ? '<p class="vat-note">' . html($note) . "</p>\n" : '')
        . '<div class="basket-actions"><a href="Catalogue.pl">Continue shopping</a>'
        . qq{<button type="submit" name="update" value="1">Update basket</button>$checkout</div>\n</form>\n});
}

sub page {
    my ($shop, $status, $content) = @_;
    send_shop_page($shop, $status, 'Basket', $content);
}

sub answer {
    my $request = read_request();
    my $shop = open_shop($RealBin, $request);
    return page($shop, '400 Bad Request', notice($request->{problem})) if $request->{problem};
    return basket_page($shop) unless $request->{method} eq 'POST';
    return basket_page($shop, '403 Forbidden', 'Sorry, that form did not come from your basket in this shop, '
        . 'so nothing was changed. Please try again from this page.') unless genuine_form($shop);
    my $action = $request->{form}{action} // '';
    return add_to_basket($shop, $request->{form}) if $action eq 'add';
    return update_basket($shop, $request->{form}) if $action eq 'update';
    return page($shop, '400 Bad Request', notice('Sorry, the shop could not read that request.'));
}

eval { answer(); 1 } or send_failure_page($@);
exit 0;
