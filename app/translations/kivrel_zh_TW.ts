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
        <source>changed on disk since the board started, so it was left as it is</source>
        <translation>看板啟動後已在磁碟上變更，因此保持原樣</translation>
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
        <source>Page: %1</source>
        <translation>網頁：%1</translation>
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
        <source>Writes the board of a Kivrel quote file (default DATA/STOCK.LST) as CSV on standard output: UTF-8, a title row of the 15 column titles, then one row per stock with the texts the board shows.</source>
        <translation>把 Kivrel 報價檔（預設 DATA/STOCK.LST）的看板以 CSV 寫到標準輸出：UTF-8，先是 15 欄標題的一列，接著每檔股票一列，內容與看板顯示的文字相同。</translation>
    </message>
    <message>
        <source>The quote file.</source>
        <translation>報價檔。</translation>
    </message>
    <message>
        <source>Writes synthetic saved listing pages (Big5, CR LF) for all 55 category entries into OUTDIR (created with its parents when missing), named &lt;entry&gt;.html in UTF-8.</source>
        <translation>把 55 個類股項目的合成網頁（Big5、CR LF）寫入 OUTDIR（不存在時連同上層資料夾一起建立），檔名為 UTF-8 的 &lt;項目&gt;.html。</translation>
    </message>
    <message>
        <source>The folder to write the pages into.</source>
        <translation>寫入網頁的資料夾。</translation>
    </message>
    <message>
        <source>Seed of the pseudo-random values (default 1).</source>
        <translation>虛擬亂數的種子（預設 1）。</translation>
    </message>
    <message>
        <source>Rows per share category page, 0 to 10000 (default 20); certificate, warrant and bond pages scale with it (--rows 386 gives about 30,000 stocks).</source>
        <translation>每個股票類股網頁的列數，0 到 10000（預設 20）；受益憑證、權證與債券網頁隨之調整（--rows 386 約有 30,000 檔）。</translation>
    </message>
    <message>
        <source>No output folder given.</source>
        <translation>沒有指定輸出資料夾。</translation>
    </message>
    <message>
        <source>Bad seed &apos;%1&apos;.</source>
        <translation>種子「%1」有誤。</translation>
    </message>
    <message>
        <source>Bad row count &apos;%1&apos; (0 to 10000).</source>
        <translation>列數「%1」有誤（0 到 10000）。</translation>
    </message>
    <message>
        <source>Note: %1 exists, so the board shows it and not these pages; start it once with --reimport to read the pages.</source>
        <translation>注意：%1 已存在，看板會顯示它而不是這些網頁；請用 --reimport 啟動一次以讀取網頁。</translation>
    </message>
    <message>
        <source>Starts the Kivrel board in the current working folder on an off-screen display (default 1280x800), saves a picture of the window as PNG and closes the board normally.</source>
        <translation>在目前資料夾以離屏顯示（預設 1280x800）啟動 Kivrel 看板，把視窗畫面存成 PNG，然後正常關閉看板。</translation>
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
