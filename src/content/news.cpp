// The story. Someone who never shows their face writes to the player between stages: first about
// rent, relatives and a rival circle, then about a life that nobody watches, and at last about a
// maker who keeps releasing games long after there is anyone left to play them.
#include "content/news.h"

#include "core/game_state.h"

#include <cstddef>

namespace zen {
namespace {

// Starts writing entry `entry` from its first line.
void begin_entry(Game& game, int entry, int required_stage)
{
    game.news_write_entry = entry;
    game.news_write_line = 0;
    tnews* news = game.news_table.edit(entry);
    if (news && required_stage != 0) news->required_stage = required_stage;
}

} // namespace

void add_news_line(Game& game, const std::string& text)
{
    const int entry = game.news_write_entry;
    const int line = game.news_write_line;
    if (entry < 0 || entry >= kNewsEntries || line < 0 || line >= kNewsLines) return;
    game.news_table.edit(entry)->lines[static_cast<std::size_t>(line)] = text;
    game.news_write_line = line + 1;
}

const std::string& news_line(const Game& game, int entry, int line)
{
    static const std::string none;
    if (entry < 0 || entry >= kNewsEntries || line < 0 || line >= kNewsLines) return none;
    return game.news_table.at(entry).lines[static_cast<std::size_t>(line)];
}

int news_line_count(const Game& game, int entry)
{
    int n = 0;
    while (n < kNewsLines && !news_line(game, entry, n).empty()) ++n;
    return n;
}

bool news_may_advance(const Game& game)
{
    const int index = game.my.news_index;
    if (index < -1 || index >= kNewsEntries - 1) return false; // the next entry would lie outside
    const int next = index + 1;
    const int required = game.news_table.at(next).required_stage;
    if (required == 0) return true;
    if (required < 0 || static_cast<std::size_t>(required) >= game.my.stage_clears.size()) return false;
    return game.my.stage_clears[static_cast<std::size_t>(required)] >= 1;
}

void build_news(Game& game)
{
    game.news_table.reset();

    // No job, and the family has noticed.
    begin_entry(game, 0, 0);
    add_news_line(game, "悪いニュースです....");
    add_news_line(game, "ゲーム作りにかまけているうちに、あなたは就職先を見つけ損ねてしまいました。");
    add_news_line(game, "親戚の人たちは、あなたが毎日ゲームばかり作っていることを良く思っていません。");
    add_news_line(game, "法事の席で、叔母さんに「まだそんなことをしているの」と言われたそうですね。");
    add_news_line(game, "ゲーム作りは、これからは趣味ぐらいにしておきましょう。");

    // Someone is talking about the game. Do not look.
    begin_entry(game, 1, 0);
    add_news_line(game, "良いニュースです....");
    add_news_line(game, "ネットの掲示板に、あなたのゲームのスレッドが立ちました。");
    add_news_line(game, "あなたのゲームが、初めて誰かの話題になったのです。");
    add_news_line(game, "おめでとうございます。");
    add_news_line(game, "....ですが、そのスレッドを読んではいけません。");
    add_news_line(game, "いいですか、絶対に読んではいけません。");
    add_news_line(game, "何が書かれているのか、私の口からは言えません。");
    add_news_line(game, "ネットの反応を見て、ゲーム作りをやめてしまった人はたくさんいます。");
    add_news_line(game, "名前も顔もない一言は、作った人の胸に、思うよりずっと深く刺さるものです。");
    add_news_line(game, "あなたには、そうなってほしくないのです。");
    add_news_line(game, "今日はブラウザを閉じて、早く眠りましょう。");

    // A rival of the same size.
    begin_entry(game, 2, 0);
    add_news_line(game, "あなたと同じようなゲーム製作をしている人をネットで見つけました。");
    add_news_line(game, "『ハーミット・ワークス』という名前で活動している、小さなサークルです。");
    add_news_line(game, "彼らも、昼間から部屋にこもってゲームばかり作っているようです。");
    add_news_line(game, "作っているゲームのジャンルも、あなたのものとよく似ています。");
    add_news_line(game, "サイトの来場者数も、ダウンロード数も、あなたと同じくらいです。");
    add_news_line(game, "つまり、ほとんど誰にも知られていません。");
    add_news_line(game, "あなたのライバルとして、これほどふさわしい相手はいないでしょう。");
    add_news_line(game, "負けないように、がんばりましょう。");

    // The rival's big RPG falls flat.
    begin_entry(game, 3, 1);
    add_news_line(game, "あなたのライバルの『ハーミット・ワークス』を憶えていますか？");
    add_news_line(game, "彼らは三年がかりで作った大作RPGを、先月ついに公開しました。");
    add_news_line(game, "けれど、遊んだ人たちの感想はひどいものばかりでした。");
    add_news_line(game, "「長すぎる」「戦闘が遅い」「どこが面白いのか分からない」と、散々な言われようです。");
    add_news_line(game, "最後まで遊んだ人は、一人もいなかったようです。");
    add_news_line(game, "人の失敗を喜ぶのは、褒められたことではありませんが....");
    add_news_line(game, "今回の勝負は、あなたの勝ちです。");

    // Rent.
    begin_entry(game, 4, 2);
    add_news_line(game, "悪いニュースです....");
    add_news_line(game, "今月の家賃と光熱費が払えません。");
    add_news_line(game, "大家さんからは、もう三度も催促の電話がかかってきています。");
    add_news_line(game, "仕方がないので、私からあなたのご両親に頭を下げてみます。");
    add_news_line(game, "それでも足りなければ、駅前の消費者金融に相談するしかありません....");

    // The flop gets picked up.
    begin_entry(game, 5, 0);
    add_news_line(game, "ええと....");
    add_news_line(game, "どうお伝えすればいいのか、少し迷っています。");
    add_news_line(game,
                  "『ハーミット・ワークス』の、あの誰にも好かれなかった大作RPGが、ゲーム会社の目にとまりました。");
    add_news_line(game, "手直しをしたうえで、商業作品として発売されることになったそうです。");
    add_news_line(game, "あなたのところには、まだ何のお話も来ていません。");

    // And it sells.
    begin_entry(game, 6, 3);
    add_news_line(game, "今回も少し戸惑うニュースです....");
    add_news_line(game, "『ハーミット・ワークス』の商業版RPGが、とうとう発売されました。");
    add_news_line(game, "発売から一週間で、三十万本も売れたそうです。");
    add_news_line(game, "あの「長すぎる」と言われたゲームが、です。");
    add_news_line(game, "テレビでコマーシャルが流れ、街のあちこちにポスターが貼られています。");
    add_news_line(game, "彼らはこの一本で、一生遊んで暮らせるほどのお金を手にしました。");
    add_news_line(game, "世の中というものは、本当に分かりません。");
    add_news_line(game, "あなたは、今日もあなたのゲームを作りましょう。");

    // Nobody visits any more.
    begin_entry(game, 7, 0);
    add_news_line(game, "悪いニュースです....");
    add_news_line(game, "あなたのサイトの来場者数が、先月の十分の一にまで落ち込みました。");
    add_news_line(game, "ダウンロード数も、もう指で数えられるほどしかありません。");
    add_news_line(game, "ネットで、あなたの名前を口にする人はもういないようです。");
    add_news_line(game, "今は、スマホで手軽に遊べるゲームが流行りなのだそうです。");
    add_news_line(game, "可愛い女の子がたくさん出てきて、くじを引けるゲームが人気だとか。");
    add_news_line(game, "あなたのゲームは、少し時代遅れなのかもしれません。");
    add_news_line(game, "たまには、流行りのゲームを作ってみてはどうでしょう。");
    add_news_line(game, "私はただ、あなたのゲームを誰かに遊んでもらいたいだけなのです。");

    // The parents give up; everyone else has grown up.
    begin_entry(game, 8, 4);
    add_news_line(game, "今回も、悪いニュースです....");
    add_news_line(game, "ご両親から手紙が届きました。");
    add_news_line(game, "「もうこれ以上、仕送りはできません」と書かれていました。");
    add_news_line(game, "お父さんは来年、定年を迎えるそうです。");
    add_news_line(game, "同封されていた写真のお二人は、前よりひと回り小さく見えました。");
    add_news_line(game, "あなたの同級生たちは、ほとんどが結婚して子供もいるそうです。");
    add_news_line(game, "郊外に家を建てた人もいると聞きました。");
    add_news_line(game, "同窓会の案内は、今年もあなたのところには届きませんでした。");
    add_news_line(game, "それから....『ハーミット・ワークス』が会社になりました。");
    add_news_line(game, "今では社員が四十人もいる、立派なゲーム会社です。");
    add_news_line(game, "あなたは今日も、道端でゲームを売っています。");

    // No one has ever played them.
    begin_entry(game, 9, 5);
    add_news_line(game, "悪いニュースです....");
    add_news_line(game, "今月、あなたのサイトを訪れた人は、ゼロでした。");
    add_news_line(game, "アクセスカウンターは、先月から一つも回っていません。");
    add_news_line(game, "大手のダウンロードサイトに作品を登録しようとしましたが、断られました。");
    add_news_line(game, "理由は、何も書かれていませんでした。");
    add_news_line(game, "それから、もう一つお伝えしなければならないことがあります。");
    add_news_line(game, "道端であなたのゲームを買っていった人たちのことを、少し調べてみました。");
    add_news_line(game, "あなたのゲームを遊んだ人は、一人もいませんでした。");
    add_news_line(game, "子供たちは、箱の絵が面白かったから買っただけでした。");
    add_news_line(game, "大人たちは、あなたが気の毒だったから買っただけでした。");
    add_news_line(game, "あなたのゲームは、封も切られないまま押し入れの奥で眠っています。");
    add_news_line(game, "あなたのしてきたことは、全部、無意味だったのかもしれません....");

    // Please stop.
    begin_entry(game, 10, 6);
    add_news_line(game, "誰もあなたのゲームをプレーしていません....");
    add_news_line(game, "それなのに、あなたは今日もゲームを作っています。");
    add_news_line(game, "昨日も、一昨日も、その前の日も、あなたは作っていました。");
    add_news_line(game, "いったい、誰のために作っているのですか？");
    add_news_line(game, "あなたの手も、目も、もうぼろぼろです。");
    add_news_line(game, "お願いです。");
    add_news_line(game, "もう、ゲームを作るのはやめてください。");

    // The narrator loses their temper.
    begin_entry(game, 11, 7);
    add_news_line(game, "あなたは無意味なことをしています....");
    add_news_line(game, "私の声は、あなたに届いていますか？");
    add_news_line(game, "あれほど、やめてくださいとお願いしたではありませんか。");
    add_news_line(game, "どうして、まだキーボードを叩いているのですか！");
    add_news_line(game, "やめなさい！！");
    add_news_line(game, "やめろと言っているんだ！！！！");
    add_news_line(game, "うわあああああああああああああああああ！！！！！！！！");

    // The end of a life.
    begin_entry(game, 12, 8);
    add_news_line(game, "悲しいニュースです....");
    add_news_line(game, "あなたは昨夜、八十四歳で息を引き取りました。");
    add_news_line(game, "老衰でした。");
    add_news_line(game, "最期のその時まで、あなたは作りかけのゲームの画面を見つめていたそうです。");
    add_news_line(game, "お葬式は、町の小さな集会所で行われました。");
    add_news_line(game, "参列した人は、一人もいませんでした。");
    add_news_line(game, "祭壇には、売れ残ったあなたのゲームが一本だけ供えられていました。");

    // But the releases go on.
    begin_entry(game, 13, 9);
    add_news_line(game, "不思議なニュースです....");
    add_news_line(game, "あなたが亡くなってから、一年が経ちました。");
    add_news_line(game, "それなのに、あなたのサイトでは今も新作ゲームが公開され続けています。");
    add_news_line(game, "先週は三本、今週はもう五本です。");
    add_news_line(game, "更新の時刻は、いつも決まって午前二時十四分です。");
    add_news_line(game, "誰の仕業なのか、私には分かっています。");
    add_news_line(game, "あなたですね？");
    add_news_line(game, "死んでまでゲームを作るなんて、いったい何を考えているのですか！");
    add_news_line(game, "さっさと成仏しなさい！！");
    add_news_line(game, "....新作の感想は、今日も一つも書き込まれていませんでした。");

    // An empty Earth.
    begin_entry(game, 14, 10);
    add_news_line(game, "西暦4012年....");
    add_news_line(game, "人類が地球を捨てて旅立ってから、千年以上が経ちました。");
    add_news_line(game, "海は干上がり、街は砂に埋もれ、もう誰も住んでいません。");
    add_news_line(game, "最後の宇宙船が飛び立った日のことを憶えている人も、もういなくなりました。");
    add_news_line(game,
                  "それでも地球のどこかにある古いサーバーから、毎日一本ずつ、あなたの新作ゲームが公開されています。");
    add_news_line(game, "作者の欄には、今もあなたの名前が書かれています。");
    add_news_line(game, "遊ぶ人は、どこにもいません。");
    add_news_line(game, "今日の新作は、横スクロールのアクションゲームでした。");
    add_news_line(game, "明日もきっと、新作が出るのでしょう。");

    // The narrator has become the one player.
    begin_entry(game, 15, 11);
    add_news_line(game, "太陽系崩壊から13万5102年....");
    add_news_line(game, "こんにちは、今日も新作が出ていましたね。");
    add_news_line(game, "今回は、ちくわの忍者が星くずの海を泳いで渡るお話でした。");
    add_news_line(game, "三面のボスが少し強すぎる気もしましたが、私は嫌いではありません。");
    add_news_line(game, "音楽は、前の作品よりずっと良くなっていますね。");
    add_news_line(game, "あなたのゲームを遊ぶのが、いつの間にか私の毎日の楽しみになっていました。");
    add_news_line(game, "明日の新作も、楽しみにしていますね。");

    // After everything: one more release, and the maker's name.
    begin_entry(game, 16, 12);
    add_news_line(game, "宇宙が熱的死を迎え、三・四次元世界の崩壊から36Vbk経過....");
    add_news_line(game, "光も時間も尽きたこの虚無にも、今日また一本の新作ゲームが届きました、作者の名は....");
    add_news_line(game, "ヴェ");
    add_news_line(game, "ル....");
    add_news_line(game, "ブ....");
    add_news_line(game, "ル........");
    add_news_line(game, "ック.........");
    add_news_line(game, ".........");
    add_news_line(game, "V..e...L....b..R.....o...O....k...");
    add_news_line(game, "ヴェルブルック！！！！ヴェルブルック！！！！ヴェルブルック！！！！"
                        "ヴェルブルック！！！！ヴェルブルック！！！！ヴェルブルック！！！！");
}

} // namespace zen
