#!/usr/bin/perl
# The administrators' pages: the orders, newest first; each order whole,
# with buttons to mark it paid, dispatched or cancelled and to send again
# the mails that did not go; and all orders as a CSV file. Open only to
# whoever signs in with the user ID and password set in the shop manager.
#
#   GET  Admin.pl[?start=N]                    the orders, 50 a page
#   GET  Admin.pl?order=N[&mail=sent|failed]   one order
#   GET  Admin.pl?download=csv                 all orders as CSV
#   POST Admin.pl action=signin userid=ID password=PASSWORD
#   POST Admin.pl action=signout token=T
#   POST Admin.pl action=status order=N status=paid|dispatched|cancelled token=T
#   POST Admin.pl action=resend order=N token=T
#
# Changes answer with a redirect, so that reloading a page never repeats
# one; a form without its session's token changes nothing.

use strict;
use warnings;
use FindBin qw($RealBin);
use lib $RealBin;
use POSIX qw(ceil strftime);
use ShopAdminSession qw(open_session end_session form_token same_secret);
use ShopAdminSignIn qw(admin_account sign_in $MAX_FAILURES);
use ShopContext qw(open_shop);
use ShopFigures qw(order_figures);
use ShopMoney qw(pence signed_pence money_text);
use ShopOrderMail qw(send_order_mails order_text);
use ShopOrders qw(list_orders read_order order_value order_date order_lines update_order valid_order_number);
use ShopOrdersCsv qw(orders_csv);
use ShopPage qw(send_shop_page send_failure_page notice pager_html);
use ShopRequest qw(read_request secure_request send_download send_redirect cookie_header);
use ShopText qw(html html_text);

my $ORDERS_PAGE = 50;
my @MARKS = (['paid', 'Mark paid'], ['dispatched', 'Mark dispatched'], ['cancelled', 'Mark cancelled']);

sub page {
    my ($shop, $status, $content) = @_;
    send_shop_page($shop, $status, 'Administration', $content);
}

sub switched_off_page {
    my ($shop) = @_;
    page($shop, '403 Forbidden', "<h2>Administration</h2>\n" . notice("The administrators' pages are switched off.")
        . '<p>To switch them on, set a user ID and a password in the shop manager under Options, Admin Security, '
        . "and export the shop again.</p>\n");
}

sub sign_in_page {
    my ($shop, $status, $problem) = @_;
    my $plain = secure_request() ? ''
        : notice('This connection is not encrypted: where the web host offers it, use the https:// address.');
    page($shop, $status, "<h2>Administration</h2>\n$plain"
        . (defined $problem ? '<p class="problem">' . html($problem) . "</p>\n" : '')
        . '<form class="sign-in" method="post" action="Admin.pl"><input type="hidden" name="action" value="signin">'
        . '<label>User ID <input name="userid" autocomplete="username" required></label>'
        . '<label>Password <input type="password" name="password" autocomplete="current-password" required></label>'
        . "<button type=\"submit\">Sign in</button></form>\n");
}

sub sign_in_answer {
    my ($shop, $form) = @_;
    my ($result, $detail) = sign_in($shop, $form->{userid}, $form->{password});
    return send_redirect('Admin.pl', cookie_header('admin', $detail, undef, 'Strict')) if $result eq 'signed in';
    return switched_off_page($shop) if $result eq 'off';
    if ($result eq 'held back') {
        my $minutes = ceil($detail / 60);
        return sign_in_page($shop, '429 Too Many Requests', "After $MAX_FAILURES wrong tries, signing in from your address "
            . 'waits a while. Please try again in ' . ($minutes == 1 ? '1 minute' : "$minutes minutes") . '.');
    }
    return sign_in_page($shop, '403 Forbidden', 'The user ID or the password is not right.'
        . ($detail == 1 ? ' After one more wrong try, signing in from your address waits a minute.' : '')) if $result eq 'wrong';
    return page($shop, '503 Service Unavailable',
        notice('Sorry, signing in is not possible just now: the shop cannot write its data folder.'));
}

# A button that sends the hidden [name, value] @fields with the session's
# form token.
sub action_form {
    my ($admin, $label, @fields) = @_;
    return '<form method="post" action="Admin.pl">'
        . join('', map { '<input type="hidden" name="' . html($_->[0]) . '" value="' . html($_->[1]) . '">' }
            ['token', $admin->{token}], @fields)
        . '<button type="submit">' . html($label) . '</button></form>';
}

sub admin_page {
    my ($admin, $status, $content) = @_;
    page($admin->{shop}, $status, '<div class="admin-bar"><a href="Admin.pl">Orders</a>'
        . '<a href="Admin.pl?download=csv">Download all orders (CSV)</a>'
        . action_form($admin, 'Sign out', ['action', 'signout']) . "</div>\n$content");
}

sub refused {
    my ($admin, $status, $text) = @_;
    admin_page($admin, $status, notice($text));
}

sub no_such_order { refused($_[0], '404 Not Found', 'Sorry, that order could not be found.') }

sub amount_html {
    my ($order, $name) = @_;
    my $value = order_value($order, $name);
    my $amount = pence($value);
    return html(defined $amount ? money_text($amount, order_value($order, 'currency')) : $value);
}

sub orders_page {
    my ($admin, $start_text) = @_;
    my $numbers = list_orders($admin->{shop}{data});
    my $start = ($start_text // '0') =~ /\A[0-9]{1,7}\z/ ? ($start_text // 0) + 0 : -1;
    return refused($admin, '404 Not Found', 'Sorry, that page of the orders could not be found.')
        if $start < 0 || $start > 0 && $start >= @$numbers;
    return admin_page($admin, '200 OK', "<h2>Orders</h2>\n" . notice('There are no orders yet.')) unless @$numbers;
    my $rows = '';
    # A slice past the end would add empty numbers to the count.
    my $last = $start + $ORDERS_PAGE - 1 < $#$numbers ? $start + $ORDERS_PAGE - 1 : $#$numbers;
    for my $number (@$numbers[ $start .. $last ]) {
        my $order = read_order($admin->{shop}{data}, $number) or next;
        my $mail = order_value($order, 'mail') eq 'not sent' ? '<span class="problem">not sent</span>' : '';
        $rows .= '<tr><td><a href="Admin.pl?order=' . html($number) . '">' . html($number) . '</a></td><td>' . html(order_date($order))
            . '</td><td>' . html(order_value($order, 'name')) . '</td><td class="money">' . amount_html($order, 'total')
            . '</td><td>' . html(order_value($order, 'status')) . "</td><td>$mail</td></tr>\n";
    }
    admin_page($admin, '200 OK', "<h2>Orders</h2>\n<table class=\"admin orders\">\n<thead><tr><th>Order</th><th>Date</th>"
        . "<th>Name</th><th class=\"money\">Total</th><th>Status</th><th>Mail</th></tr></thead>\n<tbody>\n$rows</tbody>\n</table>\n"
        . pager_html(scalar @$numbers, $start, $ORDERS_PAGE, sub { "Admin.pl?start=$_[0]" }));
}

sub order_page {
    my ($admin, $query) = @_;
    my $order = read_order($admin->{shop}{data}, $query->{order}) or return no_such_order($admin);
    my $number = $order->{number};
    my $status = order_value($order, 'status');
    my %told = (sent => 'The mails of this order have been sent.',
        failed => 'A mail of this order could still not be sent; the reason is among its values below.');
    my $buttons = join '', map { action_form($admin, $_->[1], ['action', 'status'], ['order', $number], ['status', $_->[0]]) }
        grep { $_->[0] ne $status } @MARKS;
    $buttons .= action_form($admin, 'Send mail again', ['action', 'resend'], ['order', $number])
        if order_value($order, 'mail') eq 'not sent';
    my $currency = order_value($order, 'currency');
    my $lines = join '', map {
        my $line = $_;
        my $total = signed_pence($line->{total});
        '<tr>' . join('', map { '<td>' . html($line->{$_}) . '</td>' } qw(quantity number name type choices))
            . '<td class="money">' . html(defined $total ? money_text($total, $currency) : $line->{total}) . "</td></tr>\n"
    } @{ order_lines($order) };
    my $figures = join '', map { '<tr class="figure ' . html($_->[2]) . '"><td colspan="5">' . html($_->[0])
        . '</td><td class="money">' . html(money_text($_->[1], $currency)) . "</td></tr>\n" } @{ order_figures($order) };
    my $values = join '', map { '<tr><th>' . html($_->[0]) . '</th><td>' . html_text($_->[1]) . "</td></tr>\n" }
        grep { $_->[0] ne 'line' && $_->[0] ne 'figure' } @{ $order->{pairs} };
    admin_page($admin, '200 OK', '<h2>Order ' . html($number) . "</h2>\n" . (defined $told{ $query->{mail} // '' } ? notice($told{ $query->{mail} }) : '')
        . '<p>Status: <strong>' . html($status) . "</strong></p>\n<div class=\"admin-actions\">$buttons</div>\n"
        . "<h3>Lines</h3>\n<table class=\"admin lines\">\n<thead><tr><th>Quantity</th><th>Catalogue number</th><th>Product</th>"
        . "<th>Type</th><th>Choices</th><th class=\"money\">Total</th></tr></thead>\n<tbody>\n$lines</tbody>\n<tfoot>\n$figures</tfoot>\n</table>\n"
        . "<h3>Values</h3>\n<table class=\"admin values\">\n$values</table>\n"
        . "<h3>As mailed</h3>\n<pre class=\"order-text\">" . html(order_text($order)) . "</pre>\n");
}

sub change_status {
    my ($admin, $form) = @_;
    my $status = $form->{status} // '';
    return refused($admin, '400 Bad Request', 'Sorry, an order cannot be given that status here.')
        unless grep { $_->[0] eq $status } @MARKS;
    my $order = read_order($admin->{shop}{data}, $form->{order}) or return no_such_order($admin);
    return refused($admin, '503 Service Unavailable', 'Sorry, the order could not be changed just now. Please try again in a moment.')
        unless update_order($admin->{shop}{data}, $order->{number}, { status => $status });
    send_redirect("Admin.pl?order=$order->{number}");
}

sub send_mails_again {
    my ($admin, $form) = @_;
    my $order = read_order($admin->{shop}{data}, $form->{order}) or return no_such_order($admin);
    return refused($admin, '409 Conflict', 'The mails of this order have already been sent.')
        unless order_value($order, 'mail') eq 'not sent';
    my $unsent = send_order_mails($admin->{shop}, $order->{number});
    send_redirect("Admin.pl?order=$order->{number}&mail=" . ($unsent ? 'failed' : 'sent'));
}

sub sign_out {
    my ($admin) = @_;
    end_session($admin->{shop}{data}, $admin->{session});
    send_redirect('Admin.pl', cookie_header('admin', '', 0, 'Strict'));
}

sub download_orders {
    my ($admin) = @_;
    send_download('text/csv; charset=UTF-8', 'orders-' . strftime('%Y%m%d', gmtime) . '.csv',
        orders_csv($admin->{shop}{data}));
}

sub answer {
    my $request = read_request();
    my $shop = open_shop($RealBin, $request);
    return page($shop, '400 Bad Request', notice($request->{problem})) if $request->{problem};
    # The account as a list: a password of "0" is a password.
    my @account = admin_account($RealBin);
    return switched_off_page($shop) unless @account;
    my ($form, $query) = @$request{qw(form query)};
    my $action = $request->{method} eq 'POST' ? $form->{action} // '' : undef;
    return sign_in_answer($shop, $form) if defined $action && $action eq 'signin';
    my $session = open_session($shop->{data}, $request->{cookies}{admin});
    return sign_in_page($shop, defined $action ? ('403 Forbidden', 'Please sign in first.') : '200 OK') unless $session;
    my $admin = { shop => $shop, session => $session, token => form_token($shop->{data}, $session) };
    if (defined $action) {
        return refused($admin, '403 Forbidden', 'Sorry, that form did not come from these pages, or its page is too old. '
            . 'Please try again from the page.') unless same_secret($form->{token} // '', $admin->{token});
        return sign_out($admin) if $action eq 'signout';
        return change_status($admin, $form) if $action eq 'status';
        return send_mails_again($admin, $form) if $action eq 'resend';
        return refused($admin, '400 Bad Request', 'Sorry, the shop could not read that request.');
    }
    return download_orders($admin) if ($query->{download} // '') eq 'csv';
    return order_page($admin, $query) if defined $query->{order};
    return orders_page($admin, $query->{start});
}

eval { answer(); 1 } or send_failure_page($@);
exit 0;
