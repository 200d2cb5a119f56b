package ShopOrderMail;
# The two mails of an order: the whole order to the shop's sales address and
# a confirmation to the customer. Whether each went is kept in the order
# ("mail_sales", "mail_customer": "sent" or "not sent", and "mail" for the
# order as a whole), so that the administrators can send again what did not
# go; the order itself is never lost over a mail.
use strict;
use warnings;
use Exporter qw(import);
use ShopMail qw(send_mail valid_address);
use ShopOrders qw(read_order update_order order_value order_date order_lines);
use ShopPayment qw(payment);

our @EXPORT_OK = qw(send_order_mails order_text);

# The order as plain text, as both mails and the administrators' pages show
# it.
sub order_text {
    my ($order) = @_;
    my $value = sub { order_value($order, $_[0]) };
    my $currency = $value->('currency');
    my @text = ("Order number: $order->{number}", 'Date: ' . order_date($order), 'Payment: ' . $value->('payment'), '',
        'Name: ' . $value->('name'), 'E-mail: ' . $value->('email'), 'Telephone: ' . $value->('phone'),
        'Address: ' . join("\n         ", split /<br>/, $value->('address')), 'Postcode: ' . $value->('postcode'),
        'Delivery area: ' . $value->('area'), '');
    for my $line (@{ order_lines($order) }) {
        my $what = join ', ', grep { $_ ne '' } $line->{name}, $line->{type}, $line->{choices};
        push @text, sprintf('%4s x %s%s   %s', $line->{quantity}, $what,
            $line->{number} ne '' ? " ($line->{number})" : '', $line->{total});
    }
    push @text, '', map { sprintf '%-10s %s', "$_->[0]:", $_->[1] } grep { $_->[1] ne '' }
        ['Subtotal', $value->('subtotal')], ['Postage', $value->('postage')],
        [$value->('vatmode') eq 'included' ? 'VAT incl.' : 'VAT', $value->('vat')], ['Total', $value->('total')];
    push @text, "Amounts in $currency." if $currency ne '';
    my $note = $value->('note');
    push @text, '', split /<br>/, $note if $note ne '';
    return join("\n", @text) . "\n";
}

# Where a shop takes cheques and postal orders by post: where to send one,
# to whom it is payable and how much, so that a customer who closed the
# order form can still pay. Empty for a shop that takes none.
sub cheque_instructions {
    my ($shop, $order) = @_;
    my $payment = payment($shop);
    return '' unless $payment->{kind} eq 'offline' && $payment->{offers}{snailorder};
    my $settings = $shop->{settings};
    my $company = ($settings->{company} // '') =~ /\S/ ? $settings->{company} : '';
    my $payee = ($settings->{chequename} // '') =~ /\S/ ? $settings->{chequename} : $company;
    my @address = grep { /\S/ } $company, split /<br>|\r\n|\n|\r/i, $settings->{merc_address} // '';
    my $currency = uc order_value($order, 'currency');
    my @text = ('To pay by cheque or postal order, please post it with your order number to:', '',
        (map { "    $_" } @address), '');
    push @text, "Please make it payable to: $payee" if $payee ne '';
    push @text, 'Amount: ' . order_value($order, 'total') . ($currency ne '' ? " $currency" : '');
    return join("\n", @text) . "\n\n";
}

# Sends the mails of the order that have not gone yet; returns how many
# could not be sent. $sales_extra, when given, ends the sales mail alone and
# is kept nowhere else.
sub send_order_mails {
    my ($shop, $number, $sales_extra) = @_;
    my $order = read_order($shop->{data}, $number) or return 2;
    my $sales = $shop->{settings}{sales_email} // '';
    my $company = ($shop->{settings}{company} // '') =~ /\S/ ? $shop->{settings}{company} : 'our shop';
    my $customer = order_value($order, 'email');
    my $text = order_text($order);
    my %mails = (
        mail_sales => { from => $sales, to => $sales, (valid_address($customer) ? (reply_to => $customer) : ()),
            subject => "Order $number from " . order_value($order, 'name'),
            body => "A new order:\n\n$text" . (defined $sales_extra ? "\n$sales_extra" : '') },
        mail_customer => { from => $sales, to => $customer, subject => "Your order $number at $company",
            body => "Thank you for your order. We have received it as follows:\n\n$text\n"
                . cheque_instructions($shop, $order) . "$company\n" },
    );
    my %changes;
    for my $key (sort keys %mails) {
        next if order_value($order, $key) eq 'sent';
        my @problem = valid_address($sales) ? send_mail($shop, $mails{$key}) : ('the shop has no sales address');
        $changes{$key} = @problem ? 'not sent' : 'sent';
        $changes{"${key}_problem"} = $problem[0] // '';
    }
    my $unsent = grep { ($changes{$_} // order_value($order, $_)) ne 'sent' } keys %mails;
    $changes{mail} = $unsent ? 'not sent' : 'sent';
    update_order($shop->{data}, $number, \%changes);
    return $unsent;
}

1;
