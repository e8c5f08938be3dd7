#include "platform/htmlview/HtmlDocument.h"
#include "platform/htmlview/HtmlTokenizer.h"

#include "TestPages.h"

#include <gtest/gtest.h>

using namespace vellumate::htmlview;

namespace {

using Kind = HtmlItem::Kind;

std::vector<Kind> KindsOf(const HtmlDocument& document)
{
    std::vector<Kind> kinds;
    for (const HtmlItem& item : document.items)
        kinds.push_back(item.kind);
    return kinds;
}

// All the text of a page, the breaks as '|'.
std::wstring Flatten(const HtmlDocument& document)
{
    std::wstring text;
    for (const HtmlItem& item : document.items) {
        if (item.kind == Kind::Text)
            text += item.text;
        else if (item.kind != Kind::Anchor)
            text += L'|';
    }
    return text;
}

const HtmlItem& TextItem(const HtmlDocument& document, std::wstring_view text)
{
    for (const HtmlItem& item : document.items) {
        if (item.kind == Kind::Text && item.text == text)
            return item;
    }
    ADD_FAILURE() << "no text item \"" << std::string(text.begin(), text.end()) << "\"";
    static const HtmlItem none;
    return none;
}

}  // namespace

// ---- character references ---------------------------------------------------

TEST(HtmlTokenizer, DecodesNamedAndNumericReferences)
{
    EXPECT_EQ(DecodeEntities(L"&amp;&lt;&gt;&quot;&apos;"), L"&<>\"'");
    EXPECT_EQ(DecodeEntities(L"a&nbsp;b &copy; &reg;"), L"a\u00A0b \u00A9 \u00AE");
    EXPECT_EQ(DecodeEntities(L"&#65;&#x42;&#X43;&#169;"), L"ABC\u00A9");
    EXPECT_EQ(DecodeEntities(L"&#128512;"), L"\U0001F600");  // beyond 16 bits: a surrogate pair
    EXPECT_EQ(DecodeEntities(L"&AMP;&Lt;"), L"&<");
}

TEST(HtmlTokenizer, ForgivesBrokenReferences)
{
    EXPECT_EQ(DecodeEntities(L"fish &amp chips"), L"fish & chips");  // no ';'
    EXPECT_EQ(DecodeEntities(L"&#65B"), L"AB");
    EXPECT_EQ(DecodeEntities(L"R&D &unknown; &; & &#; &#x;"), L"R&D &unknown; &; & &#; &#x;");
    EXPECT_EQ(DecodeEntities(L"&#0;&#xD800;&#1114112;&#99999999999999999999;"), L"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(DecodeEntities(L"ends with &"), L"ends with &");
}

// ---- tags -------------------------------------------------------------------

TEST(HtmlTokenizer, ReadsTagsAndAttributesInEveryQuoting)
{
    const std::vector<HtmlToken> tokens = TokenizeHtml(
        L"<FONT Size=5 COLOR='#FF0000'>x</Font><a href=\"a.htm?x=1&amp;y=2\" name=top><br/><IMG src=p.bmp width=20/>");
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[0].kind, HtmlToken::Kind::StartTag);
    EXPECT_EQ(tokens[0].name, L"font");
    ASSERT_NE(tokens[0].Attribute(L"size"), nullptr);
    EXPECT_EQ(*tokens[0].Attribute(L"size"), L"5");
    EXPECT_EQ(*tokens[0].Attribute(L"color"), L"#FF0000");
    EXPECT_EQ(tokens[1].text, L"x");
    EXPECT_EQ(tokens[2].kind, HtmlToken::Kind::EndTag);
    EXPECT_EQ(tokens[2].name, L"font");
    EXPECT_EQ(*tokens[3].Attribute(L"href"), L"a.htm?x=1&y=2");
    EXPECT_EQ(*tokens[3].Attribute(L"name"), L"top");
    EXPECT_EQ(tokens[4].name, L"br");
    EXPECT_TRUE(tokens[4].attributes.empty());
    EXPECT_EQ(tokens[5].name, L"img");
    EXPECT_EQ(*tokens[5].Attribute(L"src"), L"p.bmp");
    EXPECT_EQ(*tokens[5].Attribute(L"width"), L"20/");  // as a browser reads an unquoted value
    EXPECT_EQ(tokens[5].Attribute(L"alt"), nullptr);
}

TEST(HtmlTokenizer, SurvivesBadMarkup)
{
    auto textOf = [](std::wstring_view html) {
        std::wstring text;
        for (const HtmlToken& token : TokenizeHtml(html)) {
            if (token.kind == HtmlToken::Kind::Text)
                text += token.text;
            else
                text += L"[" + token.name + L"]";
        }
        return text;
    };
    EXPECT_EQ(textOf(L"1 < 2 and 3 <= 4, <<b>>"), L"1 < 2 and 3 <= 4, <[b]>");
    EXPECT_EQ(textOf(L"a<!-- <b>hidden</b> -->b<!DOCTYPE html><?xml?>c"), L"abc");
    EXPECT_EQ(textOf(L"a<!-- never closed <b>"), L"a");
    EXPECT_EQ(textOf(L"shown<b"), L"shown");  // an unfinished tag at the end is dropped
    EXPECT_EQ(textOf(L"<script>if (a<b) x();</script>after"), L"[script][script]after");
    EXPECT_EQ(textOf(L"<title>Name</title><STYLE>b{}</STYLE>x"), L"[title][title][style][style]x");
    EXPECT_EQ(textOf(L"<script>never closed"), L"[script]");
    EXPECT_EQ(textOf(L"</>x</ b>"), L"</>x</ b>");
    // An unclosed quote ends at the tag's end instead of eating the page.
    const std::vector<HtmlToken> tokens = TokenizeHtml(L"<a href=\"x>link</a> more");
    ASSERT_GE(tokens.size(), 2u);
    EXPECT_EQ(*tokens[0].Attribute(L"href"), L"x");
    EXPECT_EQ(tokens[1].text, L"link");
}

// ---- the page model ---------------------------------------------------------

TEST(HtmlDocument, CollapsesWhiteSpaceAndDropsItAroundBreaks)
{
    const HtmlDocument document =
        ParseHtml(L"\n  Hello \t\r\n  world  <br>\n  next<b> bold </b> end \n<p>  para  </p>");
    EXPECT_EQ(Flatten(document), L"Hello world|next bold end|para|");
    EXPECT_EQ(KindsOf(document), (std::vector<Kind>{Kind::Text, Kind::LineBreak, Kind::Text, Kind::Text, Kind::Text,
                                                    Kind::ParagraphBreak, Kind::Text, Kind::ParagraphBreak}));
}

TEST(HtmlDocument, StylesFollowTheOpenElements)
{
    const HtmlDocument document =
        ParseHtml(L"plain<b>bold<i>both</i><u>under</u></b><strong>strong</strong><em>em</em>"
                  L"<font size=5>five<font size=+1>four<font size=-2>one</font></font></font>"
                  L"<font size=9>seven</font><font size=0>lowest</font><font size=x>keeps</font>"
                  L"<font color=\"#102030\">rgb</font><font color=navy>navy</font><font color=nonsense>black</font>");
    EXPECT_EQ(TextItem(document, L"plain").style, TextStyle{});
    EXPECT_TRUE(TextItem(document, L"bold").style.bold);
    EXPECT_TRUE(TextItem(document, L"both").style.bold && TextItem(document, L"both").style.italic);
    EXPECT_TRUE(TextItem(document, L"under").style.underline && TextItem(document, L"under").style.bold);
    EXPECT_TRUE(TextItem(document, L"strong").style.bold);
    EXPECT_TRUE(TextItem(document, L"em").style.italic);
    EXPECT_EQ(TextItem(document, L"five").style.size, 5);
    EXPECT_EQ(TextItem(document, L"four").style.size, 4);  // steps count from the base size 3
    EXPECT_EQ(TextItem(document, L"one").style.size, 1);
    EXPECT_EQ(TextItem(document, L"seven").style.size, 7);
    EXPECT_EQ(TextItem(document, L"lowest").style.size, 1);
    EXPECT_EQ(TextItem(document, L"keeps").style.size, 3);
    EXPECT_EQ(TextItem(document, L"rgb").style.color, 0x302010u);  // COLORREF order: blue high
    EXPECT_EQ(TextItem(document, L"navy").style.color, 0x800000u);
    EXPECT_EQ(TextItem(document, L"black").style.color, 0u);
}

TEST(HtmlDocument, ClosesForgivinglyAndIgnoresWhatItDoesNotKnow)
{
    const HtmlDocument document =
        ParseHtml(L"<center><font size=5><b>title</center>after</b>"  // </center> closes font and b too
                  L"<blink>unknown</blink></i></font>"                // stray end tags change nothing
                  L"<table><tr><td>cell</td></tr></table>");
    EXPECT_EQ(TextItem(document, L"title").style.align, Align::Center);
    EXPECT_TRUE(TextItem(document, L"title").style.bold);
    // "after" and the rest run together in one style: the default one.
    EXPECT_EQ(TextItem(document, L"afterunknowncell").style, TextStyle{});
}

TEST(HtmlDocument, BlocksSetTheAlignment)
{
    const HtmlDocument document =
        ParseHtml(L"left<center>middle</center><p align=right>right<p>new paragraph<div align=CENTER>div</div>end");
    EXPECT_EQ(TextItem(document, L"left").style.align, Align::Left);
    EXPECT_EQ(TextItem(document, L"middle").style.align, Align::Center);
    EXPECT_EQ(TextItem(document, L"right").style.align, Align::Right);
    EXPECT_EQ(TextItem(document, L"new paragraph").style.align, Align::Left);  // <p> ended the open one
    EXPECT_EQ(TextItem(document, L"div").style.align, Align::Center);
    EXPECT_EQ(TextItem(document, L"end").style.align, Align::Left);
    EXPECT_EQ(KindsOf(document), (std::vector<Kind>{Kind::Text, Kind::BlockBreak, Kind::Text, Kind::BlockBreak,
                                                    Kind::ParagraphBreak, Kind::Text, Kind::ParagraphBreak, Kind::Text,
                                                    Kind::BlockBreak, Kind::Text, Kind::BlockBreak, Kind::Text}));
}

TEST(HtmlDocument, CollectsLinksAnchorsImagesAndRules)
{
    const HtmlDocument document =
        ParseHtml(L"<a name=top></a><a href=\"#end\">first <b>link</b></a> between "
                  L"<a href=http://www.zantric.com/>second<a href=third.htm>third</a> outside"
                  L"<img src=\"logo.bmp\" width=40 height=\"20px\" alt=\"The logo\"><hr><img src=x.bmp>"
                  L"<a name=end>");
    ASSERT_EQ(document.links.size(), 3u);
    EXPECT_EQ(document.links[0].href, L"#end");
    EXPECT_EQ(document.links[1].href, L"http://www.zantric.com/");
    EXPECT_EQ(document.links[2].href, L"third.htm");
    EXPECT_EQ(TextItem(document, L"first").style.link, 0);
    EXPECT_EQ(TextItem(document, L" link").style.link, 0);
    EXPECT_EQ(TextItem(document, L" between").style.link, -1);
    EXPECT_EQ(TextItem(document, L" second").style.link, 1);
    EXPECT_EQ(TextItem(document, L"third").style.link, 2);  // a new link ends the open one
    EXPECT_EQ(TextItem(document, L" outside").style.link, -1);

    ASSERT_EQ(document.images.size(), 2u);
    EXPECT_EQ(document.images[0].src, L"logo.bmp");
    EXPECT_EQ(document.images[0].alt, L"The logo");
    EXPECT_EQ(document.images[0].width, 40);
    EXPECT_EQ(document.images[0].height, 20);
    EXPECT_EQ(document.images[1].width, 0);

    std::vector<std::wstring> anchors;
    for (const HtmlItem& item : document.items) {
        if (item.kind == Kind::Anchor)
            anchors.push_back(item.text);
    }
    EXPECT_EQ(anchors, (std::vector<std::wstring>{L"top", L"end"}));
    const std::vector<Kind> kinds = KindsOf(document);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), Kind::Image), 2);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), Kind::Rule), 1);
}

TEST(HtmlDocument, PlainTextShowsExactlyAsWritten)
{
    const std::wstring text = L"a < b && c\r\nsecond  line\nthird\rfourth <b>not bold</b>";
    const HtmlDocument document = ParseHtml(PlainTextToHtml(text));
    EXPECT_EQ(Flatten(document), L"a < b && c|second \u00A0line|third|fourth <b>not bold</b>");
    for (const HtmlItem& item : document.items)
        EXPECT_FALSE(item.style.bold);
}
