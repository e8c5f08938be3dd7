#include "platform/contacts/Restriction.h"

#include <algorithm>

namespace vellumate::contacts {

struct Restriction::Node {
    enum class Kind { Compare, And, Or, Not } kind = Kind::Compare;
    // Compare
    std::wstring_view property;
    enum class Op { Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual } op = Op::Equal;
    std::wstring value;
    // And, Or, Not (one child)
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

using Node = Restriction::Node;

wchar_t FoldCase(wchar_t c) noexcept
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool IsBlank(wchar_t c) noexcept
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

class Parser {
public:
    explicit Parser(std::wstring_view text) : m_text(text) {}

    std::unique_ptr<Node> Parse()
    {
        std::unique_ptr<Node> root = Or(0);
        SkipBlanks();
        if (!root || m_at != m_text.size())
            return nullptr;
        return root;
    }

private:
    std::unique_ptr<Node> Or(int depth)
    {
        std::unique_ptr<Node> first = And(depth);
        if (!first)
            return nullptr;
        if (!PeekWord(L"OR"))
            return first;
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Or;
        node->children.push_back(std::move(first));
        while (TakeWord(L"OR")) {
            std::unique_ptr<Node> next = And(depth);
            if (!next)
                return nullptr;
            node->children.push_back(std::move(next));
        }
        return node;
    }

    std::unique_ptr<Node> And(int depth)
    {
        std::unique_ptr<Node> first = Unary(depth);
        if (!first)
            return nullptr;
        if (!PeekWord(L"AND"))
            return first;
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::And;
        node->children.push_back(std::move(first));
        while (TakeWord(L"AND")) {
            std::unique_ptr<Node> next = Unary(depth);
            if (!next)
                return nullptr;
            node->children.push_back(std::move(next));
        }
        return node;
    }

    std::unique_ptr<Node> Unary(int depth)
    {
        if (depth >= MaxRestrictionDepth)
            return nullptr;
        if (TakeWord(L"NOT")) {
            std::unique_ptr<Node> inner = Unary(depth + 1);
            if (!inner)
                return nullptr;
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Not;
            node->children.push_back(std::move(inner));
            return node;
        }
        SkipBlanks();
        if (Take(L'(')) {
            std::unique_ptr<Node> inner = Or(depth + 1);
            SkipBlanks();
            if (!inner || !Take(L')'))
                return nullptr;
            return inner;
        }
        return Comparison();
    }

    std::unique_ptr<Node> Comparison()
    {
        if (++m_comparisons > MaxComparisons)
            return nullptr;
        SkipBlanks();
        if (!Take(L'['))
            return nullptr;
        const std::size_t close = m_text.find(L']', m_at);
        if (close == std::wstring_view::npos)
            return nullptr;
        const std::optional<std::wstring_view> property = PropertyNamed(m_text.substr(m_at, close - m_at));
        if (!property)
            return nullptr;
        m_at = close + 1;
        auto node = std::make_unique<Node>();
        node->property = *property;
        SkipBlanks();
        if (Take(L'<'))
            node->op = Take(L'=') ? Node::Op::LessEqual : Take(L'>') ? Node::Op::NotEqual : Node::Op::Less;
        else if (Take(L'>'))
            node->op = Take(L'=') ? Node::Op::GreaterEqual : Node::Op::Greater;
        else if (Take(L'='))
            node->op = Node::Op::Equal;
        else
            return nullptr;
        SkipBlanks();
        if (!Value(node->value))
            return nullptr;
        return node;
    }

    bool Value(std::wstring& value)
    {
        if (Take(L'"')) {
            for (;;) {
                if (m_at == m_text.size())
                    return false;  // no closing quote
                const wchar_t c = m_text[m_at++];
                if (c != L'"') {
                    value += c;
                    continue;
                }
                if (!Take(L'"'))
                    return true;
                value += L'"';
            }
        }
        const std::size_t start = m_at;
        while (m_at < m_text.size() && !IsBlank(m_text[m_at]) && m_text[m_at] != L'(' && m_text[m_at] != L')' &&
               m_text[m_at] != L'[' && m_text[m_at] != L'"')
            ++m_at;
        value.assign(m_text.substr(start, m_at - start));
        return !value.empty();
    }

    void SkipBlanks()
    {
        while (m_at < m_text.size() && IsBlank(m_text[m_at]))
            ++m_at;
    }

    bool Take(wchar_t c)
    {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    // A keyword stands alone: blanks, a parenthesis, a bracket or the end follow it.
    bool PeekWord(std::wstring_view word)
    {
        SkipBlanks();
        if (m_text.size() - m_at < word.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (FoldCase(m_text[m_at + i]) != FoldCase(word[i]))
                return false;
        const std::size_t after = m_at + word.size();
        return after == m_text.size() || IsBlank(m_text[after]) || m_text[after] == L'(' || m_text[after] == L'[';
    }

    bool TakeWord(std::wstring_view word)
    {
        if (!PeekWord(word))
            return false;
        m_at += word.size();
        return true;
    }

    std::wstring_view m_text;
    std::size_t m_at = 0;
    std::size_t m_comparisons = 0;
};

bool Evaluate(const Node& node, const Contact& contact, int depth) noexcept
{
    switch (node.kind) {
    case Node::Kind::And:
        return std::all_of(node.children.begin(), node.children.end(),
                           [&](const auto& child) { return Evaluate(*child, contact, depth + 1); });
    case Node::Kind::Or:
        return std::any_of(node.children.begin(), node.children.end(),
                           [&](const auto& child) { return Evaluate(*child, contact, depth + 1); });
    case Node::Kind::Not:
        return !Evaluate(*node.children.front(), contact, depth + 1);
    case Node::Kind::Compare:
        break;
    }
    // A contact without the property passes no comparison of it, not even <>.
    const auto found = contact.properties.find(std::wstring(node.property));
    if (found == contact.properties.end())
        return false;
    const int order = CompareValues(found->second, node.value);
    switch (node.op) {
    case Node::Op::Less:
        return order < 0;
    case Node::Op::LessEqual:
        return order <= 0;
    case Node::Op::Greater:
        return order > 0;
    case Node::Op::GreaterEqual:
        return order >= 0;
    case Node::Op::Equal:
        return order == 0;
    case Node::Op::NotEqual:
        return order != 0;
    }
    return false;
}

std::wstring_view Trim(std::wstring_view text) noexcept
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

Restriction::Restriction(std::unique_ptr<Node> root) noexcept : m_root(std::move(root))
{
}
Restriction::Restriction(Restriction&&) noexcept = default;
Restriction& Restriction::operator=(Restriction&&) noexcept = default;
Restriction::~Restriction() = default;

std::optional<Restriction> Restriction::Parse(std::wstring_view text) noexcept
{
    if (text.size() > MaxRestrictionLength)
        return std::nullopt;
    try {
        std::unique_ptr<Node> root = Parser(text).Parse();
        if (!root)
            return std::nullopt;
        return Restriction(std::move(root));
    } catch (...) {
        return std::nullopt;
    }
}

bool Restriction::Matches(const Contact& contact) const noexcept
{
    return Evaluate(*m_root, contact, 0);
}

int CompareValues(std::wstring_view a, std::wstring_view b) noexcept
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const wchar_t x = FoldCase(a[i]);
        const wchar_t y = FoldCase(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::optional<std::vector<std::wstring_view>> ParseColumns(std::wstring_view text)
{
    std::vector<std::wstring_view> columns;
    if (Trim(text).empty())
        return columns;
    while (true) {
        const std::size_t comma = text.find(L',');
        const std::optional<std::wstring_view> name = PropertyNamed(Trim(text.substr(0, comma)));
        if (!name)
            return std::nullopt;
        columns.push_back(*name);
        if (comma == std::wstring_view::npos)
            return columns;
        text.remove_prefix(comma + 1);
    }
}

std::optional<std::wstring_view> ParseSortProperty(std::wstring_view text) noexcept
{
    text = Trim(text);
    if (text.size() >= 2 && text.front() == L'[' && text.back() == L']')
        text = text.substr(1, text.size() - 2);
    return PropertyNamed(text);
}

}  // namespace vellumate::contacts
