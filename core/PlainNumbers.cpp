#include "PlainNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <tuple>

#include "ExactSystem.h"
#include "NumberText.h"

namespace PlainNumbers {

using boost::multiprecision::cpp_int;

namespace {

cpp_int Power(unsigned base, long long exponent)
{
    return boost::multiprecision::pow(cpp_int(base), static_cast<unsigned>(exponent));
}

// digits × 10^exponent: plain where that is short, else in scientific notation.
std::string DecimalText(bool bNegative, std::string digits, long long exponent)
{
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (digits.empty())
        return "0";
    const long long nDigits = static_cast<long long>(digits.size());
    const long long point = nDigits + exponent; // digits before the point
    std::string text;
    if (exponent >= 0 && point <= 21) {
        text = digits + std::string(static_cast<size_t>(exponent), '0');
    } else if (exponent < 0 && point > 0) {
        text = digits.substr(0, static_cast<size_t>(point)) + "." +
               digits.substr(static_cast<size_t>(point));
    } else if (exponent < 0 && point > -6) {
        text = "0." + std::string(static_cast<size_t>(-point), '0') + digits;
    } else {
        text = digits.substr(0, 1) + (nDigits > 1 ? "." + digits.substr(1) : "") + "e" +
               std::to_string(point - 1);
    }
    return bNegative ? "-" + text : text;
}

// The first 17 significant digits of top / bottom (both positive), rounded to nearest, and the
// power of ten of the first.
std::string SeventeenDigits(const cpp_int& top, const cpp_int& bottom, long long& power)
{
    power = static_cast<long long>(top.str().size()) - static_cast<long long>(bottom.str().size());
    const auto scaled = [&](long long p) {
        const long long shift = 16 - p;
        cpp_int q, r;
        if (shift >= 0)
            divide_qr(top * Power(10, shift), bottom, q, r);
        else
            divide_qr(top, bottom * Power(10, -shift), q, r);
        return std::make_pair(q, r);
    };
    auto [q, r] = scaled(power);
    if (q < Power(10, 16))
        std::tie(q, r) = scaled(--power);
    const cpp_int divisor = power <= 16 ? bottom : bottom * Power(10, power - 16);
    if (2 * r >= divisor)
        ++q;
    std::string digits = q.str();
    if (digits.size() > 17) { // rounded up to the next power of ten
        digits.pop_back();
        ++power;
    }
    return digits;
}

// The double nearest top / bottom (both positive), by integer division with the rounding done
// on the remainder, so no intermediate rounding can pull it to the wrong side.
double NearestDouble(const cpp_int& top, const cpp_int& bottom)
{
    const long long estimate =
        static_cast<long long>(msb(top)) - static_cast<long long>(msb(bottom));
    long long shift = 53 - estimate;
    const auto quotient = [&](long long s, cpp_int& r) {
        cpp_int q;
        if (s >= 0)
            divide_qr(top << static_cast<unsigned>(s), bottom, q, r);
        else
            divide_qr(top, bottom << static_cast<unsigned>(-s), q, r);
        return q;
    };
    cpp_int r;
    cpp_int q = quotient(shift, r);
    while (msb(q) > 52)
        q = quotient(--shift, r);
    shift = std::min<long long>(shift, 1074); // below the normal range: fewer bits
    q = quotient(shift, r);
    const cpp_int divisor = shift >= 0 ? bottom : bottom << static_cast<unsigned>(-shift);
    const int comparison = cpp_int(2 * r).compare(divisor);
    if (comparison > 0 || (comparison == 0 && bit_test(q, 0)))
        ++q;
    return std::ldexp(q.convert_to<double>(), static_cast<int>(-shift));
}

std::string NonTerminating(bool bNegative, const cpp_int& top, const cpp_int& bottom,
                           long long exponent)
{
    const long long magnitude = static_cast<long long>(top.str().size()) -
                                static_cast<long long>(bottom.str().size()) + exponent;
    if (magnitude > -330 && magnitude < 310) {
        const double value = exponent >= 0 ? NearestDouble(top * Power(10, exponent), bottom)
                                           : NearestDouble(top, bottom * Power(10, -exponent));
        if (value != 0.0 && value <= std::numeric_limits<double>::max()) {
            char buffer[32];
            const auto result =
                std::to_chars(buffer, buffer + sizeof buffer, bNegative ? -value : value,
                              std::chars_format::general, 17);
            return std::string(buffer, result.ptr);
        }
    }
    // Beyond the doubles: the value's own first 17 digits.
    long long power = 0;
    const std::string digits = SeventeenDigits(top, bottom, power);
    return DecimalText(bNegative, digits, power + exponent - 16);
}

// (top / bottom) × 10^exponent, both parts positive.
std::string ValueText(bool bNegative, cpp_int top, cpp_int bottom, long long exponent)
{
    if (top == 0)
        return "0";
    const cpp_int divisor = gcd(top, bottom);
    top /= divisor;
    bottom /= divisor;
    long long nTwos = 0, nFives = 0;
    cpp_int rest = bottom;
    for (; rest % 2 == 0; rest /= 2)
        ++nTwos;
    for (; rest % 5 == 0; rest /= 5)
        ++nFives;
    if (rest != 1)
        return NonTerminating(bNegative, top, bottom, exponent);
    const long long nTens = std::max(nTwos, nFives);
    top *= nTwos < nFives ? Power(2, nFives - nTwos) : Power(5, nTwos - nFives);
    return DecimalText(bNegative, top.str(), exponent - nTens);
}

cpp_int Digits(const NumberText::Decimal& number)
{
    return number.digits.empty() ? cpp_int(0) : cpp_int(number.digits);
}

template <class Text>
std::basic_string<typename Text::value_type> Joined(const Table& table, char separator)
{
    std::basic_string<typename Text::value_type> out;
    for (const auto& row : table) {
        for (size_t k = 0; k < row.size(); ++k) {
            if (k > 0)
                out += static_cast<typename Text::value_type>(separator);
            out.append(row[k].begin(), row[k].end());
        }
        out.append({'\r', '\n'});
    }
    return out;
}

} // namespace

std::string OfText(const std::wstring& text)
{
    const NumberText::Reading reading = NumberText::Read(text);
    if (!NumberText::HasValue(reading))
        return {};
    const NumberText::Decimal& top = reading.numerator;
    const NumberText::Decimal& bottom = reading.denominator;
    if (top.digits.empty() || NumberText::RangeOf(reading) == NumberText::Range::kTinyNumerator)
        return "0";
    return ValueText(top.bNegative != bottom.bNegative, Digits(top), Digits(bottom),
                     top.exponent - bottom.exponent);
}

std::string OfFraction(const cpp_int& numerator, const cpp_int& denominator)
{
    return ValueText((numerator < 0) != (denominator < 0), abs(numerator), abs(denominator), 0);
}

bool TableOf(const CSystemTable& system, bool bAnswers, Table& table, int& nRow, int& nCol)
{
    const int n = system.Count();
    CExactSystem exact(n);
    table.assign(static_cast<size_t>(n), {});
    for (int r = 0; r < n; ++r) {
        for (int k = 0; k <= n; ++k) {
            const std::wstring& text = system.Text(r, k == n ? CSystemTable::kRhs : k);
            std::string value = OfText(text);
            if (value.empty()) {
                nRow = r;
                nCol = k;
                return false;
            }
            table[r].push_back(std::move(value));
            exact.SetText(r, k, text.substr(0, CSystemTable::kMaxText));
        }
    }
    if (bAnswers && exact.Solve()) {
        for (int r = 0; r < n; ++r)
            table[r].push_back(OfFraction(exact.GetNumerator(r), exact.GetDenominator()));
    }
    return true;
}

std::string Csv(const Table& table)
{
    return Joined<std::string>(table, ',');
}

std::wstring Tabbed(const Table& table)
{
    return Joined<std::wstring>(table, '\t');
}

std::string Html(const Table& table)
{
    std::string fragment = "<table>";
    for (const auto& row : table) {
        fragment += "<tr>";
        for (const std::string& value : row)
            fragment += "<td>" + value + "</td>";
        fragment += "</tr>";
    }
    fragment += "</table>";
    const std::string before = "<html><body>\r\n<!--StartFragment-->";
    const std::string after = "<!--EndFragment-->\r\n</body></html>";
    // Each offset is written in ten digits, so the header's length is known before they are.
    const auto header = [](size_t startHtml, size_t endHtml, size_t start, size_t end) {
        const auto tenDigits = [](size_t offset) {
            const std::string digits = std::to_string(offset);
            return std::string(10 - std::min<size_t>(10, digits.size()), '0') + digits;
        };
        return "Version:0.9\r\nStartHTML:" + tenDigits(startHtml) +
               "\r\nEndHTML:" + tenDigits(endHtml) + "\r\nStartFragment:" + tenDigits(start) +
               "\r\nEndFragment:" + tenDigits(end) + "\r\n";
    };
    const size_t nHeader = header(0, 0, 0, 0).size();
    const size_t start = nHeader + before.size();
    const size_t end = start + fragment.size();
    return header(nHeader, end + after.size(), start, end) + before + fragment + after;
}

} // namespace PlainNumbers
