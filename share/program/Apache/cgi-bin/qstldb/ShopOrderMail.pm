package ShopOrderMail;
# The two mails of an order: the whole order to the shop's sales address and
# a confirmation to the customer. Whether each went is kept in the order
# ("mail_sales", "mail_customer": "sent" or "not sent", and "mail" for the
# order as a whole), so that the administrators can send again what did not
# go; the order itself is never lost over a mail. At most three customer
# mails an hour go to one address, so that the shop's form cannot be used
# to flood a stranger's mailbox; the order is taken all the same.
#
# Card details go with the first sales mail alone and are kept nowhere, so
# a sales mail sent again says they are not in it.
use strict;
use warnings;
use Exporter qw(import);
use ShopFigures qw(order_figures);
use ShopMail qw(send_mail valid_address);
use ShopLimits qw(recent_events note_event);
use ShopMoney qw(signed_pence grouped_amount);
use ShopOrders qw(read_order update_order order_value order_date order_lines);
use ShopPayment qw(payment $CARD_SENT);

our @EXPORT_OK = qw(send_order_mails order_text);

my $CUSTOMER_MAILS_AN_HOUR = 3;
my $CARD_NOT_RESENT = 'The card details went only with the first mail of this order, which was not sent, '
    . 'and are kept nowhere: please telephone the customer for them.';

# The order as plain text, as both mails and the administrators' pages show
# it: its figures as the customer saw them, amounts with their thousands
# marked.
sub order_text {
    my ($order) = @_;
    my $value = sub { order_value($order, $_[0]) };
    my $currency = $value->('currency');
    my $readable = sub { my $pence = signed_pence($_[0]); defined $pence ? grouped_amount($pence) : $_[0] };
    my @text = ("Order number: $order->{number}", 'Date: ' . order_date($order), 'Payment: ' . $value->('payment'), '',
        'Name: ' . $value->('name'), 'E-mail: ' . $value->('email'), 'Telephone: ' . $value->('phone'),
        'Address: ' . join("\n         ", split /<br>/, $value->('address')), 'Postcode: ' . $value->('postcode'),
        'Delivery area: ' . $value->('area'), '');
    for my $line (@{ order_lines($order) }) {
        my $what = join ', ', grep { $_ ne '' } $line->{name}, $line->{type}, $line->{choices};
        push @text, sprintf('%4s x %s%s   %s', $line->{quantity}, $what,
            $line->{number} ne '' ? " ($line->{number})" : '', $readable->($line->{total}));
    }
    my @figures = map { ["$_->[0]:", grouped_amount($_->[1])] } @{ order_figures($order) };
    my ($label_width, $amount_width) = (0, 0);
    for (@figures) {
        $label_width = length $_->[0] if length $_->[0] > $label_width;
        $amount_width = length $_->[1] if length $_->[1] > $amount_width;
    }
    push @text, '', map { sprintf '%-*s %*s', $label_width, $_->[0], $amount_width, $_->[1] } @figures;
    push @text, 'Amounts in ' . uc($currency) . '.' if $currency ne '';
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
    $sales_extra //= $CARD_NOT_RESENT if order_value($order, 'note') eq $CARD_SENT;
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
        my @problem = !valid_address($sales) ? ('the shop has no sales address')
            : $key eq 'mail_customer' && !customer_mail_allowed($shop->{data}, $customer)
            ? ('three mails have gone to this address in the last hour') : send_mail($shop, $mails{$key});
        $changes{$key} = @problem ? 'not sent' : 'sent';
        $changes{"${key}_problem"} = $problem[0] // '';
    }
    my $unsent = grep { ($changes{$_} // order_value($order, $_)) ne 'sent' } keys %mails;
    $changes{mail} = $unsent ? 'not sent' : 'sent';
    update_order($shop->{data}, $number, \%changes);
    return $unsent;
}

# Whether another mail may go to the customer's address now; counted as
# sent when it may.
sub customer_mail_allowed {
    my ($data, $address) = @_;
    return 0 if recent_events($data, 'customer mail', lc $address, 3600) >= $CUSTOMER_MAILS_AN_HOUR;
    return note_event($data, 'customer mail', lc $address);
}

1;
