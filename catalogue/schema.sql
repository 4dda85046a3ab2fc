-- The catalogue database npGameData.DLL, delivered with its tables in it;
-- the launcher, which has this text compiled in, makes it anew when missing.
-- The launcher reads columns by position from "Select *": keep the order.

CREATE TABLE Games (
    G_ID        INTEGER PRIMARY KEY AUTOINCREMENT,
    G_Name      TEXT,
    G_Introduce TEXT,
    G_WebUrl    TEXT,
    W_Url       TEXT,
    G_Type      INTEGER,
    G_Favorite  INTEGER,
    -- insertion time with milliseconds: the newest-first sort key of every list
    G_DateTime  TEXT NOT NULL DEFAULT (strftime('%Y-%m-%d %H:%M:%f', 'now'))
);

-- Every list is read newest first and the trigger below looks for the newest
-- row: both walk this index, not the whole table (a library may hold tens of
-- thousands of games).
CREATE INDEX Games_DateTime ON Games (G_DateTime);

-- Two inserts within one millisecond (or a clock set back) would tie or invert
-- the order; move the new row just past the newest one so it stays first.
CREATE TRIGGER Games_NewestFirst AFTER INSERT ON Games
WHEN NEW.G_DateTime <= (SELECT max(G_DateTime) FROM Games WHERE G_ID <> NEW.G_ID)
BEGIN
    UPDATE Games
       SET G_DateTime = strftime('%Y-%m-%d %H:%M:%f',
                                 (SELECT max(G_DateTime) FROM Games WHERE G_ID <> NEW.G_ID),
                                 '+0.001 seconds')
     WHERE G_ID = NEW.G_ID;
END;

CREATE TABLE Install (
    I_Close INTEGER NOT NULL DEFAULT 0
);
INSERT INTO Install (I_Close) VALUES (0);

CREATE TABLE Users (
    U_ID       INTEGER PRIMARY KEY AUTOINCREMENT,
    U_UserName TEXT,
    U_PassWord TEXT
);
