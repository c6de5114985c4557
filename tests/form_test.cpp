// Form fields and cookies: the decoders on their own, then read_form over requests
// whose body cannot be trusted, through the test host.
#include "vp/form.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "harness.hpp"

using vp::testing::program;
using vp::testing::run_script;

namespace {

std::string field(const std::string& data, const char* name, bool* found = nullptr) {
  vp::FieldValue value;
  const bool hit = vp::find_form_field(data.data(), data.size(), name, &value);
  if (found != nullptr) *found = hit;
  return value.c_str();
}

std::string cookie(const char* header, const char* name, bool* found = nullptr) {
  vp::FieldValue value;
  const bool hit = vp::find_cookie(header, name, &value);
  if (found != nullptr) *found = hit;
  return value.c_str();
}

TEST(FormDecoder, EscapesPlusAndMalformedPercent) {
  EXPECT_EQ(field("a=Tom%20Smith&b=x", "a"), "Tom Smith");
  EXPECT_EQ(field("a=1+1%3D2%2b", "a"), "1 1=2+");
  // A '%' that starts no escape stays, and an escape cut by the end is no escape.
  EXPECT_EQ(field("a=%&b=%4&c=%g1&d=%%41&e=%4", "a"), "%");
  EXPECT_EQ(field("a=%&b=%4&c=%g1&d=%%41&e=%4", "b"), "%4");
  EXPECT_EQ(field("a=%&b=%4&c=%g1&d=%%41&e=%4", "c"), "%g1");
  EXPECT_EQ(field("a=%&b=%4&c=%g1&d=%%41&e=%4", "d"), "%A");
  EXPECT_EQ(field("a=%&b=%4&c=%g1&d=%%41&e=%4", "e"), "%4");
  // The '&' of an escape is text, not a separator; a second '=' belongs to the value.
  EXPECT_EQ(field("a=x%26b%3Dy&b=z", "a"), "x&b=y");
  EXPECT_EQ(field("a=b=c", "a"), "b=c");
  EXPECT_EQ(field("u=J%C3%BCrgen", "u"), "J\xC3\xBCrgen");
}

TEST(FormDecoder, ControlCharactersBecomeBlanks) {
  EXPECT_EQ(field("m=a%00b%0D%0Ac%09d%7Fe%1Ff", "m"), "a b  c d e f");
  EXPECT_EQ(field(std::string("m=a\nb\0c", 7), "m"), "a b c");  // raw ones as well
  EXPECT_EQ(cookie("m=x%0Ay", "m"), "x y");
}

TEST(FormDecoder, FieldsByDecodedNameFirstOneWins) {
  bool found = true;
  EXPECT_EQ(field("a=1&a=2", "a"), "1");
  EXPECT_EQ(field("ab=1&a=2", "a"), "2");
  EXPECT_EQ(field("first+name=Ada", "first name"), "Ada");
  EXPECT_EQ(field("a%5B%5D=1", "a[]"), "1");
  EXPECT_EQ(field("%00=1&x=2", "x"), "2");
  EXPECT_EQ(field("&&flag&&", "flag", &found), "");
  EXPECT_TRUE(found);
  EXPECT_EQ(field("=lone", ""), "lone");
  EXPECT_EQ(field("A=1", "a", &found), "");
  EXPECT_FALSE(found);
  EXPECT_EQ(field("", "a", &found), "");
  EXPECT_FALSE(found);
}

TEST(FormDecoder, LongValuesAreCutAndManyFieldsSearched) {
  EXPECT_EQ(field("v=" + std::string(100000, 'x') + "&w=1", "v"), std::string(255, 'x'));
  // Escapes count as the one character they give.
  std::string escaped = "v=";
  for (int i = 0; i < 300; ++i) escaped += "%41";
  EXPECT_EQ(field(escaped, "v"), std::string(255, 'A'));

  std::string many;
  for (int i = 0; i < 20000; ++i) {
    const std::string n = std::to_string(i);
    many.append("f").append(n).append("=").append(n).append("&");
  }
  EXPECT_EQ(field(many, "f19999"), "19999");
  EXPECT_EQ(field(many, "f2"), "2");
}

TEST(FormDecoder, Cookies) {
  const char* header = "theme=dark;visits = 12 ;  name=Tom%20Smith; p=a+b; visits=99; lone; e=";
  bool found = false;
  EXPECT_EQ(cookie(header, "theme"), "dark");
  EXPECT_EQ(cookie(header, "visits"), "12");
  EXPECT_EQ(cookie(header, "name"), "Tom Smith");
  EXPECT_EQ(cookie(header, "p"), "a+b");
  EXPECT_EQ(cookie(header, "e", &found), "");
  EXPECT_TRUE(found);
  EXPECT_EQ(cookie(header, "lone", &found), "");
  EXPECT_FALSE(found);
  EXPECT_EQ(cookie(header, "Theme", &found), "");
  EXPECT_FALSE(found);
  EXPECT_EQ(cookie("", "a", &found), "");
  EXPECT_FALSE(found);
}

// A page that shows field a, then what standard input still holds.
const std::string kShowFieldAndRest =
    program("var v : string;\nvar rest : string;\n",
            "  read_form(v,'a');\n  read_form(v,'a');\n  read(rest);\n"
            "  writeln(v, '|', rest);\n");

struct BodyCase {
  const char* method;
  const char* type;
  const char* length;  // nullptr: not set
  const char* want;
};

TEST(ReadForm, BodyOnlyWhenWholeAndWithinTheCap) {
  // The body holds "a=body" and then "tail"; the query string a=query.
  const BodyCase cases[] = {
      {"POST", "application/x-www-form-urlencoded", "6", "body|tail"},
      {"POST", "Application/X-WWW-Form-Urlencoded ; charset=UTF-8", "6", "body|tail"},
      {"POST", "application/x-www-form-urlencoded", "3", "b|odytail"},
      {"POST", "application/x-www-form-urlencoded", "0", "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencoded", nullptr, "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencoded", "", "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencoded", "-6", "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencoded", "6x", "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencoded", " 6", "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencoded", "1048577", "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencoded", "99999999999999999999999", "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencoded", "11", "query|"},  // longer than sent
      {"POST", "multipart/form-data; boundary=x", "6", "query|a=bodytail"},
      {"POST", "text/plain", "6", "query|a=bodytail"},
      {"POST", "application/x-www-form-urlencodedx", "6", "query|a=bodytail"},
      {"GET", "application/x-www-form-urlencoded", "6", "query|a=bodytail"},
      {"post", "application/x-www-form-urlencoded", "6", "query|a=bodytail"},
  };
  for (const BodyCase& c : cases) {
    vp::MemoryHost host;
    host.input = "a=bodytail";
    host.env["REQUEST_METHOD"] = c.method;
    host.env["CONTENT_TYPE"] = c.type;
    if (c.length != nullptr) host.env["CONTENT_LENGTH"] = c.length;
    host.env["QUERY_STRING"] = "a=query";
    EXPECT_EQ(run_script(host, kShowFieldAndRest).out, std::string(c.want) + "\n")
        << c.method << " " << c.type << " " << (c.length ? c.length : "(unset)");
  }
}

TEST(ReadForm, UploadsWarnOnceWithWarningsOn) {
  const std::string script = program("var v : string;\n",
                                     "  read_form(v,'a');\n  read_form(v,'b');\n"
                                     "  writeln(v);\n");
  for (const char* flag : {"-", "-w"}) {
    vp::MemoryHost host;
    host.input = "--x\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n--x--\r\n";
    host.env["REQUEST_METHOD"] = "POST";
    host.env["CONTENT_TYPE"] = "multipart/form-data; boundary=x";
    host.env["CONTENT_LENGTH"] = std::to_string(host.input.size());
    host.env["QUERY_STRING"] = "b=query";
    EXPECT_EQ(run_script(host, script, {flag}).out, "query\n");
    EXPECT_EQ(host.err, flag[1] == 'w' ? "t.pas:4: warning: uploads (multipart/form-data) are not "
                                         "supported: read_form takes no field from the body\n"
                                       : "");
  }
}

TEST(ReadForm, MegabyteBodyAtTheCap) {
  vp::MemoryHost host;
  const std::string body = "a=" + std::string(vp::kBodyCap - 7, 'x') + "&b=ok";
  ASSERT_EQ(body.size(), vp::kBodyCap);
  host.input = body + "after";
  host.env["REQUEST_METHOD"] = "POST";
  host.env["CONTENT_TYPE"] = "application/x-www-form-urlencoded";
  host.env["CONTENT_LENGTH"] = std::to_string(body.size());
  auto r = run_script(host, program("var v : string;\nvar w : string;\nvar rest : string;\n",
                                    "  read_form(v,'b');\n  read_form(w,'a');\n"
                                    "  read(rest);\n  writeln(v, '|', rest);\n  writeln(w);\n"));
  EXPECT_EQ(r.out, "ok|after\n" + std::string(255, 'x') + "\n");
}

TEST(ReadForm, BrokenArgumentsStoreNothing) {
  vp::MemoryHost host;
  host.env["QUERY_STRING"] = "a=1&v=2";
  auto r = run_script(host, program("const v = old;\n",
                                    "  read_form(v);\n  read_form(v,a);\n  read_form(v,'a);\n"
                                    "  read_form(v,\t'a');\n  read_form(v 'a');\n  read_form();\n"
                                    "  read_cookie(v,);\n  writeln(v);\n"
                                    "  read_form(v,   'a' );\n  writeln(v);\n"
                                    "  read_form(v ,'a');\n  writeln(v);\n"));
  EXPECT_EQ(r.out, "old\n1\n1\n");
}

// A host whose request ends while the body is being read, as a server's does when the
// client goes away: the run ends, and the sanitizer build sees that nothing leaks.
class EndingHost final : public vp::testing::ForwardingHost {
 public:
  int bytes_left = 3;

  int read_in() override {
    if (bytes_left-- == 0) throw vp::ProcessExit{0};
    return inner.read_in();
  }
};

TEST(ReadForm, RequestEndingDuringTheBodyLeavesNothingBehind) {
  EndingHost host;
  host.inner.input = "a=body";
  host.inner.env["REQUEST_METHOD"] = "POST";
  host.inner.env["CONTENT_TYPE"] = "application/x-www-form-urlencoded";
  host.inner.env["CONTENT_LENGTH"] = "6";
  host.inner.scripts["t.pas"] = kShowFieldAndRest;
  const char* argv[] = {"vp", "t.pas"};
  auto it = std::make_unique<vp::Interpreter>(host);
  EXPECT_THROW(vp::run(*it, 2, argv), vp::ProcessExit);
  vp::close_script(*it);
  EXPECT_EQ(it->body.state, vp::BodyState::kNone);
}

TEST(WebOutput, SingleQuoteOfAValueIsEscaped) {
  vp::MemoryHost host;
  host.env["HTTP_USER_AGENT"] = "it's";
  auto r = run_script(host, program("var a : string;\n",
                                    "  read_http_user_agent(a);\n  writewc('x',a,'y');\n"
                                    "  writewc(a:6);\n  writeln('');\n  writeln(a);\n"
                                    "  query_remote_web_client();\n"));
  EXPECT_EQ(r.out,
            "xit&#39;sy  it&#39;s\nit's\nHTTP_USER_AGENT=it&#39;s<br>\nREMOTE_ADDR=<br>\n"
            "REQUEST_METHOD=<br>\nQUERY_STRING=<br>\nCONTENT_LENGTH=<br>\n");
}

}  // namespace
