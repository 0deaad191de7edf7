<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>AboutBox</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Fusefuda</translation>
    </message>
    <message>
        <source>『伏せ札ジグソー』   Ver  6.2</source>
        <translation>Fusefuda (伏せ札ジグソー)   Version 6.2</translation>
    </message>
    <message>
        <source>(C) 2026 Fusefuda Project</source>
        <translation>(C) 2026 Fusefuda Project</translation>
    </message>
</context>
<context>
    <name>DealNumber</name>
    <message>
        <source>初級</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>中級</source>
        <translation>Intermediate</translation>
    </message>
    <message>
        <source>上級</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>番号を指定して新規ゲーム</source>
        <translation>New Game by Number</translation>
    </message>
    <message>
        <source>レベル(&amp;L):</source>
        <translation>&amp;Level:</translation>
    </message>
    <message>
        <source>番号(&amp;N):</source>
        <translation>&amp;Number:</translation>
    </message>
    <message>
        <source>0 から 4294967295 まで</source>
        <translation>From 0 to 4294967295</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>FileChooser</name>
    <message>
        <source>プレイファイルを保存する</source>
        <translation>Save Play File</translation>
    </message>
    <message>
        <source>プレイファイルを開く</source>
        <translation>Open Play File</translation>
    </message>
    <message>
        <source>Play files(*.pvq)</source>
        <translation>Play files(*.pvq)</translation>
    </message>
    <message>
        <source>All Files(*.*)</source>
        <translation>All Files(*.*)</translation>
    </message>
</context>
<context>
    <name>HighScoreTable</name>
    <message>
        <source>1st</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2nd</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3rd</translation>
    </message>
    <message>
        <source>4th</source>
        <translation>4th</translation>
    </message>
    <message>
        <source>5th</source>
        <translation>5th</translation>
    </message>
    <message>
        <source>SCORE</source>
        <translation>High Scores</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
</context>
<context>
    <name>HowToPlay</name>
    <message>
        <source>目的</source>
        <translation>Goal</translation>
    </message>
    <message>
        <source>伏せて散らばったカードを、完成図（横にAからKまで、縦にスペード・クラブ・ハート・ダイヤ）どおりにつなげます。すべてのカードが4枚の7につながればクリアです。</source>
        <translation>Join the scattered face-down cards as they lie in the finished grid (ace to king from left to right; spades, clubs, hearts and diamonds from top to bottom). The game is won when every card has joined the four sevens.</translation>
    </message>
    <message>
        <source>運ぶ</source>
        <translation>Carrying</translation>
    </message>
    <message>
        <source>左ボタンでカードをグループごと持ち上げて運び、離して置きます。</source>
        <translation>Pick a card up with the left button, its whole group with it, carry it and let go to put it down.</translation>
    </message>
    <message>
        <source>つなげる</source>
        <translation>Joining</translation>
    </message>
    <message>
        <source>隣に来るカードが正しい位置にあるところに置くと、ぴたりとつながり、それからはいっしょに動きます。</source>
        <translation>Put a card down where a card that belongs beside it lies in place, and the two snap together and move as one from then on.</translation>
    </message>
    <message>
        <source>覗き見</source>
        <translation>Peeking</translation>
    </message>
    <message>
        <source>カードの上で右ボタンを押している間、表が見えます。</source>
        <translation>Hold the right button on a card to see its face.</translation>
    </message>
    <message>
        <source>コスト</source>
        <translation>Costs</translation>
    </message>
    <message>
        <source>覗き見と持ち上げは1回のタッチです。1枚のカードの1回目は50点、2回目は30点、3回目は20点かかります。</source>
        <translation>Every peek and every pick-up is a touch. A card&apos;s first touch costs 50 points, its second 30 and its third 20.</translation>
    </message>
    <message>
        <source>得点</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>クリアすると、触れていないカードは1枚100点、1回触れたカードは50点、2回触れたカードは20点です。</source>
        <translation>At the end, each card never touched is worth 100 points, each touched once 50 and each touched twice 20.</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
</context>
<context>
    <name>KeysHelp</name>
    <message>
        <source>矢印キー</source>
        <translation>Arrow keys</translation>
    </message>
    <message>
        <source>フォーカスを一番近いカードへ移す。持っているカードを運ぶ</source>
        <translation>Move the focus to the nearest card that way; carry the cards in hand</translation>
    </message>
    <message>
        <source>Shift + 矢印キー</source>
        <translation>Shift + arrow keys</translation>
    </message>
    <message>
        <source>持っているカードを大きく運ぶ</source>
        <translation>Carry the cards in hand a long step</translation>
    </message>
    <message>
        <source>Ctrl + 矢印キー</source>
        <translation>Ctrl + arrow keys</translation>
    </message>
    <message>
        <source>盤面の表示を動かす</source>
        <translation>Pull the view over the board</translation>
    </message>
    <message>
        <source>Space / Enter</source>
        <translation>Space / Enter</translation>
    </message>
    <message>
        <source>フォーカスのカードをグループごと持ち上げる。持っているカードを置く</source>
        <translation>Lift the focus card with its group; put the cards in hand down</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>持っているカードを持ち上げた場所に戻して置く</source>
        <translation>Carry the cards in hand back and put them down where they were lifted</translation>
    </message>
    <message>
        <source>J</source>
        <translation>J</translation>
    </message>
    <message>
        <source>P（押している間）</source>
        <translation>P (held)</translation>
    </message>
    <message>
        <source>フォーカスのカードを覗き見る</source>
        <translation>Peek at the focus card</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>フォーカスのカードのグループを前面に出す</source>
        <translation>Bring the focus card&apos;s group to the front</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>フォーカスを7のグループへ移す</source>
        <translation>Move the focus to the sevens</translation>
    </message>
    <message>
        <source>キー操作</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Tab / Shift + Tab</source>
        <translation>Tab / Shift + Tab</translation>
    </message>
    <message>
        <source>M</source>
        <translation>M</translation>
    </message>
    <message>
        <source>全体表示にする。もう一度押すと戻る</source>
        <translation>Show the whole board; press again to return</translation>
    </message>
    <message>
        <source>Ctrl + N</source>
        <translation>Ctrl + N</translation>
    </message>
    <message>
        <source>最後に遊んだレベルで新規ゲーム（初めは初級）</source>
        <translation>New game at the last level played (beginner at first)</translation>
    </message>
    <message>
        <source>Ctrl + O / Ctrl + S</source>
        <translation>Ctrl + O / Ctrl + S</translation>
    </message>
    <message>
        <source>プレイファイルを開く／保存する</source>
        <translation>Open / save a play file</translation>
    </message>
    <message>
        <source>Ctrl + Z</source>
        <translation>Ctrl + Z</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ctrl + Q</source>
        <translation>Ctrl + Q</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>F11</source>
        <translation>F11</translation>
    </message>
    <message>
        <source>全画面表示に切り替える</source>
        <translation>Switch full screen on or off</translation>
    </message>
    <message>
        <source>フォーカスを読む順で次・前のカードへ移す</source>
        <translation>Move the focus to the next or the previous card in reading order</translation>
    </message>
    <message>
        <source>持っているカードを置く。半枚分以内に正しい隣のカードがあれば、その横に寄せる</source>
        <translation>Put the cards in hand down; within half a card of a correct neighbour, beside it</translation>
    </message>
    <message>
        <source>Ctrl + + / Ctrl + -</source>
        <translation>Ctrl + + / Ctrl + -</translation>
    </message>
    <message>
        <source>盤面を拡大・縮小する（Ctrl + ホイール、ピンチでも）</source>
        <translation>Zoom the board in or out (also Ctrl + wheel, or a pinch)</translation>
    </message>
    <message>
        <source>Ctrl + 0 / Ctrl + 9</source>
        <translation>Ctrl + 0 / Ctrl + 9</translation>
    </message>
    <message>
        <source>等倍（100%）で表示する／盤面全体をウィンドウに合わせる</source>
        <translation>Show the board at 100% / fit the whole board to the window</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規ゲーム(&amp;N)</source>
        <translation>&amp;New Game</translation>
    </message>
    <message>
        <source>初級(&amp;L)</source>
        <translation>&amp;Beginner</translation>
    </message>
    <message>
        <source>中級(&amp;M)</source>
        <translation>&amp;Intermediate</translation>
    </message>
    <message>
        <source>上級(&amp;T)</source>
        <translation>&amp;Advanced</translation>
    </message>
    <message>
        <source>プレイファイルを開く(&amp;O)</source>
        <translation>&amp;Open Play File...</translation>
    </message>
    <message>
        <source>プレイファイルを保存する(&amp;S)</source>
        <translation>&amp;Save Play File...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>カードの上下入れ替え(&amp;U)</source>
        <translation>&amp;Reverse Stacking Order</translation>
    </message>
    <message>
        <source>機能(&amp;K)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>効果音(&amp;B)</source>
        <translation>Sound &amp;Effects</translation>
    </message>
    <message>
        <source>ガイド表示(&amp;G)</source>
        <translation>Show &amp;Guide</translation>
    </message>
    <message>
        <source>スコア表示(&amp;W)</source>
        <translation>Show &amp;Score</translation>
    </message>
    <message>
        <source>アニメーション表示(&amp;A)</source>
        <translation>Show &amp;Animation</translation>
    </message>
    <message>
        <source>BGM再生・停止(&amp;I)</source>
        <translation>Play/Stop &amp;Music</translation>
    </message>
    <message>
        <source>背景(&amp;Z)</source>
        <translation>&amp;Background</translation>
    </message>
    <message>
        <source>パターン１(&amp;1)</source>
        <translation>Pattern &amp;1</translation>
    </message>
    <message>
        <source>パターン２(&amp;2)</source>
        <translation>Pattern &amp;2</translation>
    </message>
    <message>
        <source>パターン３(&amp;3)</source>
        <translation>Pattern &amp;3</translation>
    </message>
    <message>
        <source>透明(WinXP)(&amp;4)</source>
        <translation>&amp;Transparent</translation>
    </message>
    <message>
        <source>カード(&amp;C)</source>
        <translation>&amp;Cards</translation>
    </message>
    <message>
        <source>覗き見モード(&amp;M)</source>
        <translation>&amp;Peek Mode</translation>
    </message>
    <message>
        <source>その他(&amp;Y)</source>
        <translation>O&amp;ther</translation>
    </message>
    <message>
        <source>スコア(&amp;P)</source>
        <translation>&amp;High Scores</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation>&amp;About Fusefuda</translation>
    </message>
    <message>
        <source>キー操作(&amp;K)</source>
        <translation>&amp;Keys</translation>
    </message>
    <message>
        <source>4色のスート(&amp;4)</source>
        <translation>&amp;Four-Colour Suits</translation>
    </message>
    <message>
        <source>全体表示(&amp;O)</source>
        <translation>&amp;Overview</translation>
    </message>
    <message>
        <source>番号を指定して新規ゲーム(&amp;D)...</source>
        <translation>New Game by Nu&amp;mber...</translation>
    </message>
    <message>
        <source>前回のゲームを再開(&amp;R)</source>
        <translation>&amp;Resume the Last Game</translation>
    </message>
    <message>
        <source>統計(&amp;T)</source>
        <translation>&amp;Statistics</translation>
    </message>
    <message>
        <source>全画面表示(&amp;F)</source>
        <translation>F&amp;ull Screen</translation>
    </message>
    <message>
        <source>遊び方(&amp;H)</source>
        <translation>&amp;How to Play</translation>
    </message>
    <message>
        <source>拡大(&amp;L)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>縮小(&amp;S)</source>
        <translation>Zoom Ou&amp;t</translation>
    </message>
    <message>
        <source>等倍(100%)(&amp;D)</source>
        <translation>Actual Si&amp;ze (100%)</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる(&amp;T)</source>
        <translation>Fit Board to &amp;Window</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>出力ファイルが開けません</source>
        <translation>The output file cannot be opened.</translation>
    </message>
    <message>
        <source>入力ファイルが開けません</source>
        <translation>The input file cannot be opened.</translation>
    </message>
    <message>
        <source>ファイルの読み込みに失敗しました</source>
        <translation>Reading the file failed.</translation>
    </message>
    <message>
        <source>前回のゲームを再開できませんでした</source>
        <translation>The last game could not be resumed.</translation>
    </message>
</context>
<context>
    <name>NameEntry</name>
    <message>
        <source>Rank in !!</source>
        <translation>New High Score!</translation>
    </message>
    <message>
        <source>Please type in your name !!</source>
        <translation>Please type in your name:</translation>
    </message>
</context>
<context>
    <name>ScoreSummary</name>
    <message>
        <source>SCORE</source>
        <translation>SCORE</translation>
    </message>
    <message>
        <source> x 100 Points</source>
        <translation> x 100 Points</translation>
    </message>
    <message>
        <source> x  50 Points</source>
        <translation> x  50 Points</translation>
    </message>
    <message>
        <source> x  20 Points</source>
        <translation> x  20 Points</translation>
    </message>
    <message>
        <source> Points</source>
        <translation> Points</translation>
    </message>
    <message>
        <source>ゲーム番号 %1</source>
        <translation>Deal number %1</translation>
    </message>
</context>
<context>
    <name>Speech</name>
    <message>
        <source>エース</source>
        <translation>ace</translation>
    </message>
    <message>
        <source>2</source>
        <translation>two</translation>
    </message>
    <message>
        <source>3</source>
        <translation>three</translation>
    </message>
    <message>
        <source>4</source>
        <translation>four</translation>
    </message>
    <message>
        <source>5</source>
        <translation>five</translation>
    </message>
    <message>
        <source>6</source>
        <translation>six</translation>
    </message>
    <message>
        <source>7</source>
        <translation>seven</translation>
    </message>
    <message>
        <source>8</source>
        <translation>eight</translation>
    </message>
    <message>
        <source>9</source>
        <translation>nine</translation>
    </message>
    <message>
        <source>10</source>
        <translation>ten</translation>
    </message>
    <message>
        <source>ジャック</source>
        <translation>jack</translation>
    </message>
    <message>
        <source>クイーン</source>
        <translation>queen</translation>
    </message>
    <message>
        <source>キング</source>
        <translation>king</translation>
    </message>
    <message>
        <source>スペード</source>
        <translation>spades</translation>
    </message>
    <message>
        <source>クラブ</source>
        <translation>clubs</translation>
    </message>
    <message>
        <source>ハート</source>
        <translation>hearts</translation>
    </message>
    <message>
        <source>ダイヤ</source>
        <translation>diamonds</translation>
    </message>
    <message>
        <source>伏せたカード、未タッチ</source>
        <translation>face-down card, not touched</translation>
    </message>
    <message>
        <source>伏せたカード、1回タッチ</source>
        <translation>face-down card, touched once</translation>
    </message>
    <message>
        <source>伏せたカード、2回タッチ</source>
        <translation>face-down card, touched twice</translation>
    </message>
    <message>
        <source>上級</source>
        <translation>advanced</translation>
    </message>
    <message>
        <source>中級</source>
        <translation>intermediate</translation>
    </message>
    <message>
        <source>初級</source>
        <translation>beginner</translation>
    </message>
    <message>
        <source>カードなし</source>
        <translation>no card</translation>
    </message>
    <message>
        <source>クリア、得点 %1</source>
        <translation>cleared, score %1</translation>
    </message>
    <message>
        <source>%1の%2</source>
        <translation>%2 of %1</translation>
    </message>
    <message>
        <source>、使い切り</source>
        <translation>, spent</translation>
    </message>
    <message>
        <source>、%1枚のグループ</source>
        <translation>, in a group of %1</translation>
    </message>
    <message>
        <source>、持ち上げ中</source>
        <translation>, lifted</translation>
    </message>
    <message>
        <source>ゲーム前</source>
        <translation>no game</translation>
    </message>
    <message>
        <source>%1、得点 %2</source>
        <translation>%1, score %2</translation>
    </message>
    <message>
        <source>伏せたカードを並べて完成させるジグソーパズル</source>
        <translation>Face-down card jigsaw: find where every card belongs without looking too often</translation>
    </message>
    <message>
        <source>その方向にカードはありません、%1</source>
        <translation>no card that way, %1</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>初級</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>中級</source>
        <translation>Intermediate</translation>
    </message>
    <message>
        <source>上級</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>配ったゲーム</source>
        <translation>Games dealt</translation>
    </message>
    <message>
        <source>勝ったゲーム</source>
        <translation>Games won</translation>
    </message>
    <message>
        <source>途中でやめたゲーム</source>
        <translation>Left unfinished</translation>
    </message>
    <message>
        <source>最高得点</source>
        <translation>Best score</translation>
    </message>
    <message>
        <source>平均得点</source>
        <translation>Average score</translation>
    </message>
    <message>
        <source>勝ったゲームの平均タッチ数</source>
        <translation>Average touches in a won game</translation>
    </message>
    <message>
        <source>現在の連勝</source>
        <translation>Current run of wins</translation>
    </message>
    <message>
        <source>最長の連勝</source>
        <translation>Longest run of wins</translation>
    </message>
    <message>
        <source>最近の勝ち (得点と番号)</source>
        <translation>Last won games (score and deal number)</translation>
    </message>
    <message>
        <source>%1 点 (番号 %2)</source>
        <translation>%1 points (No. %2)</translation>
    </message>
    <message>
        <source>統計</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>統計をすべて消去しますか?</source>
        <translation>Reset all statistics?</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>リセット(&amp;R)...</source>
        <translation>&amp;Reset...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
