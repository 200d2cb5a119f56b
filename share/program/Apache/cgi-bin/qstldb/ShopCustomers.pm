package ShopCustomers;
# Returning customers' details, kept only where the shop remembers customers
# ("save_user_details" "ON", in any capitals): a record in the data folder's
# customers folder, named by a random token that the customer's cookie
# "customer" holds. A record nobody has used for "details_expiry_months"
# months (a whole number; "NEVER", in any capitals, keeps records; anything
# else counts six) is deleted, looked for at most once a day. With the
# setting off no record is read or written and no cookie set.
use strict;
use warnings;
use Exporter qw(import);
use ShopConfig qw(setting_word);
use ShopDetails qw(read_details details_bytes);
use ShopFiles qw(write_atomically with_lock make_folder remove_unused);
use ShopRandom qw(random_hex);
use ShopRequest qw(cookie_header);

our @EXPORT_OK = qw(remembers_customers remembered_customer remember_customer forget_customer sweep_customers);

my $MONTH_DAYS   = 31;
my $FOREVER_DAYS = 3650;
my $DAY          = 24 * 3600;

sub remembers_customers { return setting_word($_[0]{settings}, 'save_user_details') eq 'on' }

# Days a record is kept unused; undef for ever.
sub expiry_days {
    my ($settings) = @_;
    my $months = setting_word($settings, 'details_expiry_months');
    return undef if $months eq 'never';
    return ($months =~ /\A\s*([1-9][0-9]{0,3})\s*\z/ ? $1 : 6) * $MONTH_DAYS;
}

sub folder { return "$_[0]{data}/customers" }

sub token {
    my ($shop) = @_;
    my $token = $shop->{request}{cookies}{customer} // '';
    return $token =~ /\A[0-9a-f]{32}\z/ ? $token : undef;
}

# The details of the customer's record, which counts as used now; undef when
# there is none.
sub remembered_customer {
    my ($shop) = @_;
    return undef unless remembers_customers($shop);
    my $token = token($shop) // return undef;
    my $details = read_details(folder($shop) . "/$token") // return undef;
    utime undef, undef, folder($shop) . "/$token";
    return $details;
}

# Keeps the details in the customer's record (a new one when the cookie
# names none); the cookie's header, or an empty list when nothing is kept.
sub remember_customer {
    my ($shop, $details) = @_;
    return () unless remembers_customers($shop);
    my $folder = folder($shop);
    make_folder($folder) && make_folder("$shop->{data}/locks") or return ();
    my $token = token($shop);
    $token = random_hex(16) unless defined $token && -e "$folder/$token";
    with_lock("$shop->{data}/locks/customers", sub { write_atomically("$folder/$token", details_bytes($details)) })
        or return ();
    return cookie_header('customer', $token, (expiry_days($shop->{settings}) // $FOREVER_DAYS) * $DAY);
}

# Removes the customer's record; the header that clears the cookie, or an
# empty list when the shop does not remember customers.
sub forget_customer {
    my ($shop) = @_;
    return () unless remembers_customers($shop);
    my $token = token($shop) // return ();
    with_lock("$shop->{data}/locks/customers", sub { unlink folder($shop) . "/$token" }) if -e folder($shop) . "/$token";
    return cookie_header('customer', '', 0);
}

sub sweep_customers {
    my ($shop) = @_;
    my $days = expiry_days($shop->{settings});
    return unless defined $days && -d folder($shop) && make_folder("$shop->{data}/locks");
    with_lock("$shop->{data}/locks/customers", sub { remove_unused(folder($shop), $days, sub { $_[0] =~ /\A[0-9a-f]{32}\z/ }) });
}

1;
