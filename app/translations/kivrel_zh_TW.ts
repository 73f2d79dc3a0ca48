<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Kivrel</name>
    <message>
        <source>Show this text and exit.</source>
        <translation>顯示這段說明後結束。</translation>
    </message>
    <message>
        <source>Show the version and licence and exit.</source>
        <translation>顯示版本與授權後結束。</translation>
    </message>
    <message>
        <source>Released under the MIT licence.</source>
        <translation>以 MIT 授權條款發布。</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>多餘的引數「%1」。</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是一般檔案</translation>
    </message>
    <message>
        <source>larger than %1 MiB</source>
        <translation>大於 %1 MiB</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;: %2</source>
        <translation>無法開啟檔案「%1」：%2</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;: %2</source>
        <translation>無法讀取檔案「%1」：%2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;: %2</source>
        <translation>無法建立檔案「%1」：%2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;: %2</source>
        <translation>無法寫入檔案「%1」：%2</translation>
    </message>
    <message>
        <source>Cannot replace file &quot;%1&quot;: %2</source>
        <translation>無法取代檔案「%1」：%2</translation>
    </message>
    <message>
        <source>Cannot create folder &quot;%1&quot;: %2</source>
        <translation>無法建立資料夾「%1」：%2</translation>
    </message>
    <message>
        <source>Cannot lock file &quot;%1&quot;: %2</source>
        <translation>無法鎖定檔案「%1」：%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid number</source>
        <translation>「%1」不是有效的數字</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid time</source>
        <translation>「%1」不是有效的時間</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large a number</source>
        <translation>「%1」這個數字太大</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>未知的錯誤</translation>
    </message>
    <message>
        <source>Another Kivrel board is using this data folder. This board shows the stored quotes and does not save them when it closes.</source>
        <translation>另一個 Kivrel 看板正在使用這個資料夾。這個看板只顯示已儲存的報價，關閉時不會儲存。</translation>
    </message>
    <message>
        <source>Skipped &quot;%1&quot;: %2</source>
        <translation>略過「%1」：%2</translation>
    </message>
    <message>
        <source>This system has no CP950 (Big5) converter, so Chinese texts show as replacement marks. The converter comes with glibc&apos;s gconv modules (Debian package libc6).</source>
        <translation>這個系統沒有 CP950（Big5）轉換器，中文會顯示成替代符號。轉換器隨 glibc 的 gconv 模組提供（Debian 套件 libc6）。</translation>
    </message>
    <message>
        <source>Cannot watch for quit signals (%1): SIGTERM, SIGINT and SIGHUP now end the board without saving.</source>
        <translation>無法監聽結束訊號（%1）：SIGTERM、SIGINT 與 SIGHUP 會直接結束看板而不儲存。</translation>
    </message>
    <message>
        <source>up %1, down %2, unchanged %3</source>
        <translation>漲 %1，跌 %2，平盤 %3</translation>
    </message>
    <message>
        <source>limit-up %1, limit-down %2</source>
        <translation>漲停 %1，跌停 %2</translation>
    </message>
    <message>
        <source>quotes of %1</source>
        <translation>報價時間 %1</translation>
    </message>
    <message>
        <source>No match</source>
        <translation>找不到</translation>
    </message>
    <message>
        <source>Shows the Taiwanese stock quotes of the saved pages in DATA/SOURCE, or of the quote file DATA/STOCK.LST when it exists, both under the current folder.</source>
        <translation>顯示目前資料夾下 DATA/SOURCE 中已儲存網頁的台股報價；若報價檔 DATA/STOCK.LST 存在，則顯示報價檔。</translation>
    </message>
    <message>
        <source>Read the pages even though a quote file exists; the quote file is replaced by them when the board closes.</source>
        <translation>即使報價檔已存在也讀取網頁；看板關閉時以網頁的報價取代報價檔。</translation>
    </message>
    <message>
        <source>The picture to write.</source>
        <translation>要寫入的圖檔。</translation>
    </message>
    <message>
        <source>Screen size in pixels, 10 to 16384 a side.</source>
        <translation>螢幕大小（像素），每邊 10 到 16384。</translation>
    </message>
    <message>
        <source>Switch the decimal-underline mode on first.</source>
        <translation>先開啟以底線表示小數。</translation>
    </message>
    <message>
        <source>--size wants WxH, such as 1280x800, not &apos;%1&apos;.</source>
        <translation>--size 需要「寬x高」，例如 1280x800，而不是「%1」。</translation>
    </message>
    <message>
        <source>No output file given.</source>
        <translation>沒有指定輸出檔。</translation>
    </message>
    <message>
        <source>Stocks: %1</source>
        <translation>股票 %1 檔</translation>
    </message>
    <message>
        <source>Follow DATA/SOURCE: read every page that changes while the board runs (設定 &gt; 自動更新).</source>
        <translation>跟隨 DATA/SOURCE：看板執行時讀取每一個有變動的網頁（設定 &gt; 自動更新）。</translation>
    </message>
    <message>
        <source>Start on a view: 全部, a watch list&apos;s name, 上市, 上櫃 or a category such as 水泥.</source>
        <translation>開啟時顯示某個檢視：全部、自選股清單的名稱、上市、上櫃或類股，例如水泥。</translation>
    </message>
    <message>
        <source>Keep the quotes through the day of the last N trading days in DATA/history.db (1 to 10000, default 20); daily rows are kept for good.</source>
        <translation>在 DATA/history.db 保留最近 N 個交易日的盤中報價（1 到 10000，預設 20）；每日資料永久保留。</translation>
    </message>
    <message>
        <source>Bad number of days &apos;%1&apos; (1 to 10000).</source>
        <translation>天數「%1」不正確（1 到 10000）。</translation>
    </message>
    <message>
        <source>changed on disk</source>
        <translation>磁碟上的檔案已變更</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>已被刪除</translation>
    </message>
    <message>
        <source>read-only</source>
        <translation>唯讀</translation>
    </message>
    <message>
        <source>a symbolic link to a file that does not exist</source>
        <translation>指向不存在檔案的符號連結</translation>
    </message>
    <message>
        <source>the file system took none of the data</source>
        <translation>檔案系統未寫入任何資料</translation>
    </message>
    <message>
        <source>&quot;%1&quot; changed on disk since the board read it, so it was left as it is</source>
        <translation>「%1」在看板讀取後已在磁碟上變更，因此保持原樣</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was removed while the board ran, so it was not written again</source>
        <translation>「%1」在看板執行時被刪除，因此不再寫回</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is read-only, so it was left as it is</source>
        <translation>「%1」是唯讀檔，因此保持原樣</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a symbolic link to a file that does not exist, so it was left as it is</source>
        <translation>「%1」是指向不存在檔案的符號連結，因此保持原樣</translation>
    </message>
    <message>
        <source>the cells from here on do not make a whole row: %1</source>
        <translation>從這裡起的儲存格湊不成完整的一列：%1</translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1：無法讀取：%2</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1，第 %2 行：%3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; gave no stock: it holds no quote table</source>
        <translation>「%1」沒有任何股票：裡面沒有報價表</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) of &quot;%1&quot; cannot be quotes</source>
        <translation>
            <numerusform>「%1」有 %n 筆紀錄不可能是報價</numerusform>
        </translation>
    </message>
    <message>
        <source>another Kivrel board is using this data folder</source>
        <translation>另一個 Kivrel 看板正在使用這個資料夾</translation>
    </message>
    <message>
        <source>the lock &quot;%1&quot; cannot be taken (%2), so this board acts as a second one</source>
        <translation>無法取得鎖定檔「%1」（%2），因此這個看板當作第二個看板</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be read, so it is left as it is</source>
        <translation>無法讀取「%1」，因此保持原樣</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; cannot be written (%2)</source>
        <translation>無法寫入資料夾「%1」（%2）</translation>
    </message>
    <message>
        <source>, so it is left as it is (start with --reimport to replace it by the pages)</source>
        <translation>，因此保持原樣（以 --reimport 啟動可用網頁的報價取代它）</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) could not be read whole (%1); press F5 once they are mended</source>
        <translation>
            <numerusform>有 %n 個網頁無法完整讀取（%1）；修正後請按 F5</numerusform>
        </translation>
    </message>
    <message>
        <source>the pages gave no stock</source>
        <translation>網頁中沒有任何股票</translation>
    </message>
    <message>
        <source>the pages gave %1 stocks, fewer than the %2 that &quot;%3&quot; holds</source>
        <translation>網頁只有 %1 檔股票，少於「%3」的 %2 檔</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is read-only, so it is left as it is</source>
        <translation>「%1」是唯讀檔，因此保持原樣</translation>
    </message>
    <message>
        <source>Quotes will not be saved: %1</source>
        <translation>報價不會儲存：%1</translation>
    </message>
    <message>
        <source>The quotes were not saved: %1</source>
        <translation>報價沒有儲存：%1</translation>
    </message>
    <message>
        <source>Watch lists will not be saved: %1</source>
        <translation>自選股清單不會儲存：%1</translation>
    </message>
    <message>
        <source>No quote history is kept: %1</source>
        <translation>不保存報價歷史：%1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot go into a watch list: a listed code is 1 to 6 letters and digits</source>
        <translation>「%1」無法加入自選股清單：代碼須為 1 到 6 個英文字母或數字</translation>
    </message>
    <message>
        <source>No quotes yet.

Save the category pages of the quote service into
%1
and press F5.

To try the board on sample pages, write them there with
kivrel-pages &quot;%1&quot;</source>
        <translation>還沒有報價。

請把報價網站的類股網頁存到
%1
然後按 F5。

想先用範例網頁試用看板，可以這樣寫入範例網頁：
kivrel-pages &quot;%1&quot;</translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) gave no stock</source>
        <translation>
            <numerusform>有 %n 個網頁沒有任何股票</numerusform>
        </translation>
    </message>
    <message>
        <source>Pages read at %1: %2 stocks changed, %3 new</source>
        <translation>%1 讀取網頁：%2 檔股票變動，新增 %3 檔</translation>
    </message>
    <message>
        <source>No view is named &apos;%1&apos;. The views are: %2.</source>
        <translation>沒有名為「%1」的檢視。可用的檢視：%2。</translation>
    </message>
    <message>
        <source>Shows the Kivrel board of the current working folder on an off-screen display (default 1280x800) and saves a picture of the window as PNG. Nothing in the data folder is created, locked or saved.</source>
        <translation>在螢幕外顯示目前資料夾的 Kivrel 看板（預設 1280x800），並把視窗存成 PNG 圖檔。不會在資料夾中建立、鎖定或儲存任何東西。</translation>
    </message>
    <message>
        <source>Writes synthetic saved listing pages (Big5, CR LF) for all 55 category entries into OUTDIR (created with its parents when missing), named &lt;entry&gt;.html in UTF-8.</source>
        <translation>把 55 個類股的合成網頁（Big5，CR LF）寫入 OUTDIR（不存在時連同上層資料夾一起建立），檔名為 UTF-8 的 &lt;類股&gt;.html。</translation>
    </message>
    <message>
        <source>The folder to write the pages into (with --live, DATA/SOURCE when not given).</source>
        <translation>寫入網頁的資料夾（使用 --live 而未指定時為 DATA/SOURCE）。</translation>
    </message>
    <message>
        <source>Seed of the pseudo-random values (default 1).</source>
        <translation>亂數種子（預設 1）。</translation>
    </message>
    <message>
        <source>Replace pages in OUTDIR that kivrel-pages did not write (saved pages).</source>
        <translation>取代 OUTDIR 中不是 kivrel-pages 寫入的網頁（已儲存的網頁）。</translation>
    </message>
    <message>
        <source>Rows per share category page, 0 to 10000 (default 20); certificate, warrant and bond pages scale with it (--rows 386 gives about 30,000 stocks).</source>
        <translation>每個股票類股網頁的列數，0 到 10000（預設 20）；受益憑證、權證與公司債網頁按比例增減（--rows 386 約為 30,000 檔）。</translation>
    </message>
    <message>
        <source>Simulate a trading day: write the pages as the market opens at 09:00, then again every SECONDS (0 to 3600) a minute further on, until 13:30.</source>
        <translation>模擬一個交易日：先寫入 09:00 開盤時的網頁，之後每 SECONDS 秒（0 到 3600）前進一分鐘重寫一次，直到 13:30。</translation>
    </message>
    <message>
        <source>Bad number of seconds &apos;%1&apos; (0 to 3600).</source>
        <translation>秒數「%1」不正確（0 到 3600）。</translation>
    </message>
    <message>
        <source>No output folder given.</source>
        <translation>沒有指定輸出資料夾。</translation>
    </message>
    <message>
        <source>Bad seed &apos;%1&apos;.</source>
        <translation>亂數種子「%1」不正確。</translation>
    </message>
    <message>
        <source>Bad row count &apos;%1&apos; (0 to 10000).</source>
        <translation>列數「%1」不正確（0 到 10000）。</translation>
    </message>
    <message>
        <source>Note: %1 exists, so the board shows it and not these pages; press F5 in the board, or start it once with --reimport, to read the pages.</source>
        <translation>注意：%1 已存在，看板會顯示它而不是這些網頁；請在看板中按 F5，或以 --reimport 啟動一次，以讀取網頁。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not written by kivrel-pages, so nothing was written; --force replaces such pages.</source>
        <translation>「%1」不是 kivrel-pages 寫入的，因此沒有寫入任何網頁；--force 會取代這類網頁。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date (YYYY-MM-DD)</source>
        <translation>「%1」不是日期（YYYY-MM-DD）</translation>
    </message>
    <message>
        <source>no daily rows of %1 are kept</source>
        <translation>沒有保存 %1 的每日資料</translation>
    </message>
    <message>
        <source>no quotes of %1 are kept</source>
        <translation>沒有保存 %1 的報價</translation>
    </message>
    <message>
        <source>no quotes of %1 are kept for %2</source>
        <translation>沒有保存 %1 在 %2 的報價</translation>
    </message>
    <message>
        <source>cannot read the history &quot;%1&quot;: %2</source>
        <translation>無法讀取報價歷史「%1」：%2</translation>
    </message>
    <message>
        <source>Writes the board of a Kivrel quote file (default DATA/STOCK.LST) as CSV on standard output: UTF-8, a title row of the 15 column titles, then one row per stock with the texts the board shows. With --history or --daily it writes a stock&apos;s kept quotes from the history beside the quote file instead.</source>
        <translation>把 Kivrel 報價檔（預設 DATA/STOCK.LST）的看板以 CSV 寫到標準輸出：UTF-8，第一列是 15 個欄位標題，之後每檔股票一列，內容與看板所顯示的相同。使用 --history 或 --daily 時，改為寫出報價檔旁報價歷史中某檔股票保存的報價。</translation>
    </message>
    <message>
        <source>The quote file.</source>
        <translation>報價檔。</translation>
    </message>
    <message>
        <source>Only the rows of a view, in its order: 全部, a watch list&apos;s name (from watchlists.txt beside the quote file), 上市, 上櫃 or a category such as 水泥.</source>
        <translation>只寫出某個檢視的列，依其順序：全部、自選股清單的名稱（取自報價檔旁的 watchlists.txt）、上市、上櫃或類股，例如水泥。</translation>
    </message>
    <message>
        <source>The kept quotes of the stock CODE on one day, from history.db.</source>
        <translation>股票 CODE 某一天保存的報價，取自 history.db。</translation>
    </message>
    <message>
        <source>The day of --history (default: the latest day kept).</source>
        <translation>--history 的日期（預設：保存的最近一天）。</translation>
    </message>
    <message>
        <source>The daily rows of the stock CODE, from history.db.</source>
        <translation>股票 CODE 的每日資料，取自 history.db。</translation>
    </message>
    <message>
        <source>--view, --history and --daily go one at a time.</source>
        <translation>--view、--history 與 --daily 一次只能用一個。</translation>
    </message>
    <message>
        <source>--date goes with --history.</source>
        <translation>--date 必須與 --history 一起使用。</translation>
    </message>
    <message>
        <source>%1: no such quote file</source>
        <translation>%1：沒有這個報價檔</translation>
    </message>
    <message>
        <source>cannot write the CSV to standard output: %1</source>
        <translation>無法把 CSV 寫到標準輸出：%1</translation>
    </message>
</context>
<context>
    <name>kivrel::TFindBar</name>
    <message>
        <source>Find:</source>
        <translation>尋找：</translation>
    </message>
    <message>
        <source>Code or part of a name</source>
        <translation>代碼或部分名稱</translation>
    </message>
</context>
<context>
    <name>kivrel::TViewPanel</name>
    <message>
        <source>View</source>
        <translation>檢視</translation>
    </message>
    <message>
        <source>Stocks</source>
        <translation>檔數</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>漲</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>跌</translation>
    </message>
    <message>
        <source>Avg %</source>
        <translation>均幅%</translation>
    </message>
    <message>
        <source>New list...</source>
        <translation>新增清單…</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>重新命名…</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>刪除…</translation>
    </message>
    <message>
        <source>A watch list needs a name.</source>
        <translation>自選清單需要名稱。</translation>
    </message>
    <message>
        <source>A watch list&apos;s name cannot hold line breaks or other control characters.</source>
        <translation>自選清單的名稱不能含換行或其他控制字元。</translation>
    </message>
    <message>
        <source>There is a watch list named &quot;%1&quot; already.</source>
        <translation>已有名為「%1」的自選清單。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of a view of the board.</source>
        <translation>「%1」是看板既有檢視的名稱。</translation>
    </message>
    <message>
        <source>New watch list</source>
        <translation>新增自選清單</translation>
    </message>
    <message>
        <source>Rename watch list</source>
        <translation>重新命名自選清單</translation>
    </message>
    <message>
        <source>Delete the watch list &quot;%1&quot; with its %2 codes?</source>
        <translation>要刪除自選清單「%1」及其 %2 個代碼嗎？</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名稱：</translation>
    </message>
    <message>
        <source>Delete watch list</source>
        <translation>刪除自選清單</translation>
    </message>
    <message>
        <source>Watch list</source>
        <translation>自選清單</translation>
    </message>
</context>
</TS>
