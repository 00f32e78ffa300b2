// A small evaluator of the sheet's expressions in interval arithmetic: every number of an
// expression stands for the interval its digits round from, so the result is the range the
// exact value of the formula lies in, whatever the digits cut off.
#pragma once

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::test {

struct Interval {
    double lo = 0;
    double hi = 0;
};

class ExpressionEval {
public:
    explicit ExpressionEval(std::string text, int digits = 9)
        : text_(std::move(text)), digits_(digits) {}

    Interval evaluate() {
        const Interval v = sum();
        skipBlanks();
        if (pos_ != text_.size())
            fail("text after the expression");
        return v;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(what + " at " + std::to_string(pos_) + " in \"" + text_ + "\"");
    }
    void skipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }
    bool take(char c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    static Interval corners(double a, double b, double c, double d) {
        return {std::min({a, b, c, d}), std::max({a, b, c, d})};
    }

    Interval sum() {
        Interval v = product();
        for (;;) {
            if (take('+')) {
                const Interval w = product();
                v = {v.lo + w.lo, v.hi + w.hi};
            } else if (take('-')) {
                const Interval w = product();
                v = {v.lo - w.hi, v.hi - w.lo};
            } else {
                return v;
            }
        }
    }
    Interval product() {
        Interval v = unary();
        for (;;) {
            if (take('*')) {
                const Interval w = unary();
                v = corners(v.lo * w.lo, v.lo * w.hi, v.hi * w.lo, v.hi * w.hi);
            } else if (take('/')) {
                const Interval w = unary();
                if (w.lo <= 0 && w.hi >= 0)
                    fail("division by an interval holding 0");
                v = corners(v.lo / w.lo, v.lo / w.hi, v.hi / w.lo, v.hi / w.hi);
            } else {
                return v;
            }
        }
    }
    Interval unary() {
        if (take('-')) {
            const Interval v = unary();
            return {-v.hi, -v.lo};
        }
        return power();
    }
    Interval power() {
        const Interval base = primary();
        if (!take('^'))
            return base;
        // An integer exponent is the formula's own (x^2, 0.99^n): exact.
        skipBlanks();
        size_t end = pos_;
        while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end])))
            ++end;
        Interval e;
        if (end > pos_ && (end == text_.size() || (text_[end] != '.' && text_[end] != 'e'))) {
            const double n = std::strtod(text_.substr(pos_, end - pos_).c_str(), nullptr);
            pos_ = end;
            e = {n, n};
        } else {
            e = unary(); // right-associative, a signed exponent allowed
        }
        if (e.lo == e.hi && e.lo == std::round(e.lo)) {
            // Integer power: even powers have their least value at 0.
            const double n = e.lo;
            const double a = std::pow(base.lo, n);
            const double b = std::pow(base.hi, n);
            Interval v{std::min(a, b), std::max(a, b)};
            if (std::fmod(std::fabs(n), 2.0) == 0 && base.lo < 0 && base.hi > 0)
                v.lo = 0;
            return v;
        }
        if (base.lo < 0)
            fail("fractional power of a negative number");
        return corners(std::pow(base.lo, e.lo), std::pow(base.lo, e.hi), std::pow(base.hi, e.lo),
                       std::pow(base.hi, e.hi));
    }
    Interval primary() {
        skipBlanks();
        if (take('(')) {
            const Interval v = sum();
            if (!take(')'))
                fail("missing )");
            return v;
        }
        if (pos_ < text_.size() &&
            (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.'))
            return number();
        std::string name;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_])))
            name += text_[pos_++];
        if (name.empty())
            fail("a number, ( or a function expected");
        if (!take('('))
            fail("( after " + name);
        std::vector<Interval> args{sum()};
        while (take(','))
            args.push_back(sum());
        if (!take(')'))
            fail("missing ) after the arguments of " + name);
        return function(name, args);
    }
    Interval number() {
        const size_t start = pos_;
        while (pos_ < text_.size() &&
               (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.'))
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == 'e') {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
                ++pos_;
        }
        const std::string literal = text_.substr(start, pos_ - start);
        const double x = std::strtod(literal.c_str(), nullptr);
        if (x == 0)
            return {0, 0};
        // Half a unit of the last digit: of the digits written, at least `digits_` of them (a
        // number may have lost its trailing zeros). A number written with fewer digits may be
        // a single in its shortest digits, which lie within half a unit of its last binary
        // digit (2^-24 of it).
        int written = 0;
        bool leading = true;
        for (const char c : literal) {
            if (c == 'e')
                break;
            if (c < '0' || c > '9')
                continue;
            leading = leading && c == '0';
            written += leading ? 0 : 1;
        }
        const int digits = std::max(written, digits_);
        // A whole number of up to 7 digits is exact: a constant of the formula, or a single
        // that holds a whole number.
        if (literal.find_first_of(".e") == std::string::npos && literal.size() <= 7)
            return {x, x};
        double h = 0.5 * std::pow(10.0, std::floor(std::log10(x)) - (digits - 1));
        if (written < digits_)
            h = std::max(h, std::ldexp(x, -24));
        return {x - h, x + h};
    }
    Interval function(const std::string& name, const std::vector<Interval>& a) {
        auto one = [&] {
            if (a.size() != 1)
                fail(name + " takes one argument");
            return a[0];
        };
        auto monotone = [&](double (*f)(double)) {
            const Interval x = one();
            return Interval{f(x.lo), f(x.hi)};
        };
        if (name == "sqrt") {
            if (one().lo < 0)
                fail("square root of a negative number");
            return monotone([](double x) { return std::sqrt(x); });
        }
        if (name == "exp")
            return monotone([](double x) { return std::exp(x); });
        if (name == "ln") {
            if (one().lo <= 0)
                fail("logarithm of a number not above 0");
            return monotone([](double x) { return std::log(x); });
        }
        if (name == "sinh")
            return monotone([](double x) { return std::sinh(x); });
        if (name == "cosh" || name == "abs") {
            const Interval x = one();
            double (*f)(double) = name == "cosh" ? static_cast<double (*)(double)>(std::cosh)
                                                 : static_cast<double (*)(double)>(std::fabs);
            const double lo = x.lo <= 0 && x.hi >= 0 ? f(0) : std::min(f(x.lo), f(x.hi));
            return {lo, std::max(f(x.lo), f(x.hi))};
        }
        if (name == "sin" || name == "cos") {
            // |derivative| <= 1: the value at the middle, widened by the half width.
            const Interval x = one();
            const double mid = (x.lo + x.hi) / 2;
            const double w = (x.hi - x.lo) / 2;
            const double v = name == "sin" ? std::sin(mid) : std::cos(mid);
            return {v - w, v + w};
        }
        if (name == "min" || name == "max") {
            if (a.empty())
                fail(name + " without arguments");
            Interval v = a[0];
            for (const Interval& x : a) {
                v.lo = name == "min" ? std::min(v.lo, x.lo) : std::max(v.lo, x.lo);
                v.hi = name == "min" ? std::min(v.hi, x.hi) : std::max(v.hi, x.hi);
            }
            return v;
        }
        fail("unknown function " + name);
    }

    std::string text_;
    int digits_;
    size_t pos_ = 0;
};

} // namespace velmora::test
